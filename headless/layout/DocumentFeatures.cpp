#include "headless/layout/DocumentFeatures.h"
#include "headless/database/DataBase.h"
#include "headless/layout/PageNumbers.h"
#include "host/ILayout.h"
#include "host/IPMStream.h"
#include "host/IParaAttrStrand.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryList.h"
#include "host/IStyleGroupManager.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/TextIDs.h"
#include <array>
#include <map>

void TextVariableImpl::Set(const PMString& name, const PMString& text) {
  if (name == name_ && text == text_) return;
  PreDirty();
  name_ = name;
  text_ = text;
}

void TextVariableImpl::ReadWrite(IPMStream* s, ImplementationID) {
  name_.ReadWrite(s);
  text_.ReadWrite(s);
}

UID TextVariableListImpl::FindByName(const PMString& name) const {
  IDataBase* db = ::GetDataBase(this);
  for (int32 i = 0; i < vars_.Length(); ++i) {
    InterfacePtr<ITextVariable> v(db, vars_.At(i), IID_ITEXTVARIABLE);
    if (v && v->GetName().IsEqualNoCase(name)) return vars_.At(i);
  }
  return kInvalidUID;
}

void TextVariableListImpl::Add(UID variable) {
  PreDirty();
  vars_.Append(variable);
}

void TextVariableListImpl::ReadWrite(IPMStream* s, ImplementationID) { vars_.ReadWriteXferObject(s); }

void TextVariableInstanceImpl::SetVariableUID(UID variable) {
  if (variable == var_) return;
  PreDirty();
  var_ = variable;
}

PMString TextVariableInstanceImpl::GetResultText() const {
  InterfacePtr<ITextVariable> v(::GetDataBase(this), var_, IID_ITEXTVARIABLE);
  return v ? v->GetText() : PMString();
}

void TextVariableInstanceImpl::ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(var_); }

void NumberingStyleImpl::Set(const PMString& list, int32 level, const PMString& format) {
  PreDirty();
  list_ = list;
  level_ = level < 1 ? 1 : level > 9 ? 9 : level;
  format_ = format;
}

void NumberingStyleImpl::ReadWrite(IPMStream* s, ImplementationID) {
  list_.ReadWrite(s);
  s->XferInt32(level_);
  format_.ReadWrite(s);
  if (s->IsReading() && (level_ < 1 || level_ > 9)) {
    s->SetBad();
    level_ = 1;
  }
}

void ChapterNumberImpl::Set(int32 number, int32 style) {
  if (number == number_ && style == style_) return;
  PreDirty();
  number_ = number;
  style_ = style;
}

void ChapterNumberImpl::ReadWrite(IPMStream* s, ImplementationID) {
  s->XferInt32(number_);
  s->XferInt32(style_);
}

PMString ChapterNumberServiceImpl::GetChapterNumberString(IDataBase* db) const {
  InterfacePtr<IChapterNumber> chapter(db, kRootUID, IID_ICHAPTERNUMBER);
  return chapter ? FormatNumber(chapter->GetNumber(), chapter->GetStyle()) : PMString();
}

namespace {
struct Numbered {
  PMString text;
  int32 value;
};

// Every numbered paragraph of the document, by story and paragraph start,
// recomputed when the document changed.
struct NumberingCache {
  uint64_t instance = 0, serial = ~0ull;
  std::map<std::pair<UID, TextIndex>, Numbered> numbers;
};

PMString ApplyFormat(const PMString& format, const std::array<int32, 9>& counts) {
  PMString out;
  const std::u16string& f = format.Units();
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] == u'^' && i + 1 < f.size() && f[i + 1] >= u'1' && f[i + 1] <= u'9') {
      out.AppendNumber(counts[static_cast<size_t>(f[i + 1] - u'1')]);
      ++i;
      continue;
    }
    out.AppendW(f[i]);
  }
  return out;
}

int32 NumberingKind(IDataBase* db, IParaAttrStrand* attrs, TextIndex at, UID* style) {
  *style = attrs->GetParagraphStyle(at);
  int32 kind = attrs->GetNumberingOverride(at);
  if (kind >= 0) return kind;
  InterfacePtr<IStyleInfo> info(db, *style, IID_ISTYLEINFO);
  return info ? info->GetNumberingKind() : 0;
}

void Recount(DataBase* db, NumberingCache& cache) {
  cache.numbers.clear();
  std::map<std::u16string, std::array<int32, 9>> lists;
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  if (!stories) return;
  for (int32 s = 0; s < stories->GetStoryCount(); ++s) {
    UID story = stories->GetNthStoryUID(s);
    InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
    if (!text) continue;
    InterfacePtr<IParagraphStrand> paras(
        static_cast<IParagraphStrand*>(text->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
    InterfacePtr<IParaAttrStrand> attrs(
        static_cast<IParaAttrStrand*>(text->QueryStrand(kParaAttrStrandBoss, IID_IPARAATTRSTRAND)));
    if (!paras || !attrs) continue;
    for (int32 p = 0; p < paras->GetParagraphCount(); ++p) {
      TextIndex start = paras->GetNthParagraphStart(p);
      UID style;
      if (NumberingKind(db, attrs.get(), start, &style) != kNumberedList) continue;
      InterfacePtr<INumberingStyle> how(db, style, IID_INUMBERINGSTYLE);
      PMString list = how ? how->GetListName() : PMString();
      int32 level = how ? how->GetLevel() : 1;
      PMString format = how ? how->GetFormat() : PMString("^1.");
      std::array<int32, 9>& counts = lists[list.Units()];
      ++counts[static_cast<size_t>(level - 1)];
      for (size_t deeper = static_cast<size_t>(level); deeper < 9; ++deeper) counts[deeper] = 0;
      cache.numbers[{story, start}] = {ApplyFormat(format, counts), counts[static_cast<size_t>(level - 1)]};
    }
  }
}
}  // namespace

bool ParagraphNumber(IDataBase* idb, UID story, TextIndex at, PMString* text, int32* value) {
  auto* db = static_cast<DataBase*>(idb);
  if (!db) return false;
  static NumberingCache cache;
  if (cache.instance != db->InstanceId() || cache.serial != db->ChangeSerial()) {
    Recount(db, cache);
    cache.instance = db->InstanceId();
    cache.serial = db->ChangeSerial();
  }
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  if (!model) return false;
  InterfacePtr<IParagraphStrand> paras(
      static_cast<IParagraphStrand*>(model->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
  if (!paras) return false;
  TextIndex start = paras->GetParagraphStart(at);
  auto it = cache.numbers.find({story, start});
  if (start < 0 || it == cache.numbers.end()) return false;
  if (text) *text = it->second.text;
  if (value) *value = it->second.value;
  return true;
}

ErrorCode ScriptObjectModelImpl::GetElementProperty(ScriptID element, ScriptID form, int32 index, ScriptID property,
                                                    ScriptData* out) {
  if (element != kParagraphElement || form != kFormIndex || !out) return kInvalidParameterError;
  PMString text;
  int32 value = 0;
  bool numbered = ParagraphNumber(::GetDataBase(this), ::GetUID(this), index, &text, &value);
  InterfacePtr<ITextModel> model(this, IID_ITEXTMODEL);
  if (!model || index < 0 || index >= model->TotalLength()) return kObjectNotFoundError;
  if (property == kNumberingResultTextProperty) {
    out->SetString(numbered ? text : PMString());
    return kSuccess;
  }
  if (property == kNumberingResultValueProperty) {
    out->SetInt(numbered ? value : 0);
    return kSuccess;
  }
  return kInvalidParameterError;
}
