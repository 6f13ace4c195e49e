#include "cli/FormatReason.h"
#include "cli/NearestName.h"
#include "format/IXRefElement.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "format/XRefFormatID.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/IErrorStringService.h"
#include "host/IK2ServiceRegistry.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <algorithm>
#include <regex>

namespace {
std::vector<InterfacePtr<IXRefElement>> Elements() {
  std::vector<InterfacePtr<IXRefElement>> elements;
  for (ClassID provider : ServiceRegistry::ProvidersOf(kXRefElementService)) {
    InterfacePtr<IXRefElement> element(static_cast<IXRefElement*>(CreateObject(provider, IID_IXREFELEMENT)));
    if (element) elements.push_back(std::move(element));
  }
  return elements;
}

// The names of the registered building blocks, sorted.
std::vector<std::string> ElementNames() {
  std::vector<std::string> names;
  for (auto& element : Elements()) names.push_back(element->GetName().GetUTF8String());
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

// The attributes an element declares, read from its DTD fragment: each is
// a name followed by its type, a keyword or a parenthesised list.
std::vector<std::string> AttributeNames(const std::string& elementName) {
  static const std::regex declaration("\\s([A-Za-z_][A-Za-z0-9_.-]*)\\s+(CDATA|NMTOKENS?|IDREFS?|ID|\\()");
  std::vector<std::string> names;
  for (auto& element : Elements()) {
    if (element->GetName().GetUTF8String() != elementName) continue;
    const std::string dtd = element->GetDTD().GetUTF8String();
    const size_t list = dtd.find("<!ATTLIST");
    if (list == std::string::npos) break;
    const std::string body = dtd.substr(list + 9);
    for (std::sregex_iterator it(body.begin(), body.end(), declaration), end; it != end; ++it)
      names.push_back((*it)[1].str());
    break;
  }
  return names;
}

std::string Listed(const std::string& what, const std::vector<std::string>& names, const std::string& wrong) {
  std::string hint = "; " + what;
  for (size_t i = 0; i < names.size(); ++i) hint += (i ? ", " : " ") + names[i];
  const std::string nearest = NearestName(wrong, names);
  if (!nearest.empty()) hint += "; did you mean '" + nearest + "'?";
  return hint + " (see docs/format-language.md)";
}

// The parser names an element or attribute it has no declaration for; a
// writer needs to know which there are, and which one was probably meant.
std::string UndeclaredNameHint(const std::string& message) {
  static const std::regex element("declaration found for element '([^']*)'");
  static const std::regex attribute("attribute '([^']*)' is not declared for element '([^']*)'");
  std::smatch m;
  if (std::regex_search(message, m, element)) return Listed("the elements are", ElementNames(), m[1].str());
  if (!std::regex_search(message, m, attribute)) return std::string();
  const std::vector<std::string> names = AttributeNames(m[2].str());
  if (names.empty()) return std::string();
  return Listed(m[2].str() + " takes", names, m[1].str());
}
}  // namespace

std::string InvalidFormatReason(const std::string& utf8) {
  InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  InterfacePtr<IXRefValidator> validator(utils ? utils->QueryValidator() : nullptr);
  if (!validator) return "the plug-in offers no format validator";
  PMString format(utf8);
  format.SetTranslatable(false);
  // The validator says only that an escape is bad; the utility says where.
  PMString converted = format;
  int32 position = -1;
  if (utils->ConvertMetacharacters(converted, &position)) {
    std::u16string escape = u"^";
    size_t at = static_cast<size_t>(position);
    Utf::AppendUTF16(escape, Utf::NextScalar(format.Units(), at));
    return "unknown escape \"" + Utf::ToUTF8(escape) + "\" at position " + std::to_string(position);
  }
  ErrorCode result = validator->Validate(format, true);
  if (result == kSuccess) return std::string();
  std::string message = Host::Get().GlobalErrorMessage().GetUTF8String();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (message.empty()) return "rejected: " + ErrorUtils::PMGetErrorString(result).GetUTF8String();
  return message + UndeclaredNameHint(message);
}
