#include "format/XRefLanguageFilter.h"
#include "format/IXRefTextLoc.h"
#include "host/ILanguageList.h"
#include "host/ITextAttributes.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "host/UnicodeClass.h"

namespace {
PMString Trimmed(const std::u16string& text, size_t from, size_t to) {
  while (from < to && UnicodeClass::IsWhiteSpace(text[from])) ++from;
  while (to > from && UnicodeClass::IsWhiteSpace(text[to - 1])) --to;
  return PMString(text.substr(from, to - from));
}
}  // namespace

PMString DestinationLanguageName(IXRefTextLoc* destination) {
  if (!destination) return PMString();
  InterfacePtr<ITextAttributes> attributes(destination->GetStoryRef(), IID_ITEXTATTRIBUTES);
  TextAttribute language;
  if (!attributes || !attributes->GetAttributeInForce(destination->GetIndex(), kTextAttrLanguageBoss, &language))
    return PMString();
  InterfacePtr<ILanguage> object(destination->GetDataBase(), TextAttr::AsUID(language), IID_ILANGUAGE);
  if (!object) return PMString();
  PMString name = object->GetName();
  if (name.GetTranslatable()) name.Translate();
  return name;
}

bool16 LanguageListNames(const PMString& list, const PMString& language) {
  if (language.empty()) return false;
  const std::u16string& text = list.Units();
  for (size_t from = 0; from <= text.size();) {
    size_t to = text.find(u';', from);
    if (to == std::u16string::npos) to = text.size();
    if (Trimmed(text, from, to).IsEqualNoCase(language)) return true;
    from = to + 1;
  }
  return false;
}

void XRefLanguageFilter::Reset() {
  saved_.clear();
  suppressed_ = false;
}

bool16 XRefLanguageFilter::Enter(const PMString& list, IXRefTextLoc* destination) {
  saved_.push_back(suppressed_);
  if (!list.empty()) suppressed_ = !LanguageListNames(list, DestinationLanguageName(destination));
  return !suppressed_;
}

void XRefLanguageFilter::Leave() {
  if (saved_.empty()) return;
  suppressed_ = saved_.back();
  saved_.pop_back();
}
