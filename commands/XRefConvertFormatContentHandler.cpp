// The convert-format command's content handler. Building blocks go to a
// list per language: outside any "lang" section to every language seen so
// far (the empty name always), inside one to the languages it names. At the
// end each list that holds blocks becomes a Basic format of the document,
// replacing one of the same name, and carries the first preceding or
// following paragraph style met.
#include "commands/IXRefConvertFormatCmdData.h"
#include "commands/XRefCommandID.h"
#include "engine/IXRefConversionLog.h"
#include "engine/IXRefFormatMigrationData.h"
#include "format/IXRefParsingUtils.h"
#include "host/CSAXContentHandler.h"
#include "host/IBasicXRefFormat.h"
#include "host/ICommand.h"
#include "host/IDocument.h"
#include "host/ISAXAttributes.h"
#include "host/IStyleGroupManager.h"
#include "host/InterfacePtr.h"
#include "host/UTF32TextChar.h"
#include "host/UtilsBoss.h"
#include "host/WideString.h"
#include "integration/ImplementationRecord.h"
#include <algorithm>
#include <map>
#include <vector>

namespace {
struct OpenElement {
  std::vector<PMString> languages;
  bool restricted;
  UID characterStyle;
};

class XRefConvertFormatContentHandler : public CSAXContentHandler {
public:
  using CSAXContentHandler::CSAXContentHandler;

  void StartDocument() override {
    blocks_.clear();
    blocks_[PMString()];
    languages_.clear();
    restricted_ = false;
    characterStyle_ = kInvalidUID;
    preceding_ = PMString();
    following_ = PMString();
    open_.clear();
    joinable_ = false;
    InterfacePtr<ICommand> cmd(this, IID_ICOMMAND);
    const UIDList* items = cmd ? cmd->GetItemList() : nullptr;
    target_ = items && items->Length() == 1 ? items->GetRef(0) : UIDRef();
  }

  void StartElement(const WideString&, const WideString& localName, const WideString& qName,
                    ISAXAttributes* attributes) override {
    InterfacePtr<IXRefConversionLog> log(target_, IID_IXREFCONVERSIONLOG);
    InterfacePtr<IXRefConvertFormatCmdData> data(this, IID_IXREFCONVERTFORMATCMDDATA);
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (!log || !data || !utils) return;
    open_.push_back({languages_, restricted_, characterStyle_});
    log_ = log.get();
    name_ = data->GetFormatName();
    utils_ = utils.get();
    attributes_ = attributes;
    const PMString element(localName.Length() ? localName : qName);
    if (element.Units() != u"char") joinable_ = false;

    XRefBuildingBlock block;
    ClassifyElement(element, &block);
    if (HasAttribute("lang")) RestrictLanguages(Attribute("lang"));
    if (HasAttribute("cstyle")) characterStyle_ = FindCharacterStyle(Attribute("cstyle"));
    RecordParagraphStyle("precedingpstyle", &preceding_);
    RecordParagraphStyle("followingpstyle", &following_);
    if (block.GetType() != XRefBuildingBlock::kNoType) {
      if (HasAttribute("format")) Warn(3, element);
      Append(block);
    }
    attributes_ = nullptr;
  }

  void Characters(const WideString& chars) override {
    XRefBuildingBlock block;
    block.SetType(XRefBuildingBlock::kCustomText);
    block.SetCustomText(PMString(chars));
    Append(block);
  }

  void EndElement(const WideString&, const WideString& localName, const WideString& qName) override {
    if (PMString(localName.Length() ? localName : qName).Units() != u"char") joinable_ = false;
    if (open_.empty()) return;
    languages_ = open_.back().languages;
    restricted_ = open_.back().restricted;
    characterStyle_ = open_.back().characterStyle;
    open_.pop_back();
  }

  void EndDocument() override {
    IDataBase* db = target_.GetDataBase();
    InterfacePtr<IBasicXRefFormatList> list(db, db ? db->GetRootUID() : kInvalidUID, IID_IBASICXREFFORMATLIST);
    InterfacePtr<IBasicFormatUtils> formats(UtilsBoss::QueryUtils<IBasicFormatUtils>());
    InterfacePtr<IXRefConvertFormatCmdData> data(this, IID_IXREFCONVERTFORMATCMDDATA);
    if (!list || !formats || !data) return;
    for (const auto& entry : blocks_) {
      if (entry.second.empty()) continue;
      PMString name = data->GetFormatName();
      if (!entry.first.IsEmpty()) {
        name.Append(" (");
        name.Append(entry.first);
        name.Append(")");
      }
      const UID existing = list->FindFormat(name);
      if (existing != kInvalidUID) formats->DeleteBasicFormat(db, existing);
      const UID made = formats->CreateBasicFormat(db, name, entry.second);
      InterfacePtr<IXRefFormatMigrationData> styles(db, made, IID_IXREFFORMATMIGRATIONDATA);
      if (styles) styles->SetStyleNames(preceding_, following_);
    }
  }

private:
  // The block the element makes (none for most), with the warnings for
  // what a Basic format cannot do.
  void ClassifyElement(const PMString& element, XRefBuildingBlock* block) {
    const std::u16string& e = element.Units();
    if (e == u"xref" || e == u"span") return;
    if (e == u"chapnum") return block->SetType(XRefBuildingBlock::kChapterNumber);
    if (e == u"char") return CharacterBlock(block);
    if (e == u"fnnum") return Warn(4);
    if (e == u"filename") {
      if (Yes("fullpath")) Warn(5);
      if (!Yes("extension", true)) Warn(6);
      return block->SetType(XRefBuildingBlock::kFileName);
    }
    if (e == u"pagenum") {
      if (Yes("usethis") || Yes("useprev") || Yes("usenext") || Yes("useopposite")) Warn(6);
      if (Yes("usepage")) Warn(7);
      if (Yes("usesectionname")) Warn(8);
      if (Yes("forcearabic")) Warn(9);
      if (Attribute("numbertype").Units() != u"default") Warn(10);
      return block->SetType(XRefBuildingBlock::kPageNumber);
    }
    if (e == u"paranum") {
      if (Yes("numberonly")) Warn(11);
      return block->SetType(XRefBuildingBlock::kParagraphNumber);
    }
    if (e == u"paratext") {
      if (HasAttribute("filterbycstyle")) Warn(12);
      if (Yes("includesoftcr")) Warn(13);
      if (Yes("includetab")) Warn(14);
      if (Yes("retainfontfamily") || Yes("retainfontstyle")) Warn(15);
      return block->SetType(XRefBuildingBlock::kParagraphText);
    }
    Warn(2, PMString(), element);
  }

  // A character given by its code is custom text, as the text XML could
  // not hold as it is (a control character) comes back; a code that names
  // no character gives nothing, as in a composed text.
  void CharacterBlock(XRefBuildingBlock* block) {
    const int32 code = utils_->GetIntAttribute(attributes_, PMString("code"), 0);
    if (code <= 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return;
    WideString text;
    text.Append(UTF32TextChar(static_cast<uint32>(code)));
    block->SetType(XRefBuildingBlock::kCustomText);
    block->SetCustomText(PMString(text));
  }

  // "a; b" names languages; inside a section only those it also names count.
  void RestrictLanguages(const PMString& value) {
    std::vector<PMString> names;
    const std::u16string& v = value.Units();
    for (size_t start = 0; start <= v.size();) {
      size_t end = v.find(u';', start);
      if (end == std::u16string::npos) end = v.size();
      const PMString name = Trimmed(v.substr(start, end - start));
      const bool inherited =
          !restricted_ || std::find(languages_.begin(), languages_.end(), name) != languages_.end();
      if (inherited && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
      start = end + 1;
    }
    languages_ = names;
    restricted_ = true;
  }

  static PMString Trimmed(std::u16string s) {
    auto space = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    while (!s.empty() && space(s.back())) s.pop_back();
    size_t first = 0;
    while (first < s.size() && space(s[first])) ++first;
    return PMString(WideString(s.substr(first)));
  }

  UID FindCharacterStyle(const PMString& value) const {
    IDataBase* db = target_.GetDataBase();
    InterfacePtr<IDocument> document(db, db ? db->GetRootUID() : kInvalidUID, IID_IDOCUMENT);
    if (!document) return kInvalidUID;
    InterfacePtr<IStyleGroupManager> styles(document->GetDocWorkspace(), IID_ICHARSTYLEGROUPMANAGER);
    if (!styles) return kInvalidUID;
    std::u16string path = value.Units();
    std::replace(path.begin(), path.end(), u':', char16_t(0xE00B));
    return styles->FindByName(PMString(WideString(path)));
  }

  // Basic formats keep one paragraph-style condition: the first one met.
  void RecordParagraphStyle(const char* attribute, PMString* slot) {
    if (!HasAttribute(attribute)) return;
    if (!preceding_.IsEmpty() || !following_.IsEmpty()) return Warn(1);
    *slot = Attribute(attribute);
  }

  void Append(XRefBuildingBlock block) {
    block.SetCharacterStyle(characterStyle_);
    if (restricted_) {
      for (const PMString& language : languages_) AppendTo(blocks_[language], block);
    } else {
      for (auto& entry : blocks_) AppendTo(entry.second, block);
    }
    joinable_ = block.GetType() == XRefBuildingBlock::kCustomText;
  }

  // Text the parser hands over in pieces (around an escape or a char
  // element) is one custom text while its style stays, as it was written.
  void AppendTo(std::vector<XRefBuildingBlock>& list, const XRefBuildingBlock& block) const {
    const bool text = block.GetType() == XRefBuildingBlock::kCustomText;
    if (!text || !joinable_ || list.empty() || list.back().GetType() != XRefBuildingBlock::kCustomText ||
        list.back().GetCharacterStyle() != block.GetCharacterStyle()) {
      list.push_back(block);
      return;
    }
    PMString joined = list.back().GetCustomText();
    joined.Append(block.GetCustomText());
    list.back().SetCustomText(joined);
  }

  // Warning NN's message, with the first parameter replaced and a suffix
  // appended, logged under the format's name.
  void Warn(int32 number, const PMString& parameter = PMString(), const PMString& suffix = PMString()) {
    if (!log_) return;
    PMString key("QX#0xF2C#kXRefMigrationWarning");
    if (number < 10) key.Append("0");
    key.AppendNumber(number);
    key.Translate();
    if (!parameter.IsEmpty()) StringUtils::ReplaceStringParameters(&key, parameter);
    key.Append(suffix);
    log_->AddEntry(name_, key);
  }

  bool HasAttribute(const char* name) const { return utils_->HasAttribute(attributes_, PMString(name)); }
  PMString Attribute(const char* name) const {
    return utils_->GetStringAttribute(attributes_, PMString(name), PMString());
  }
  bool Yes(const char* name, bool16 otherwise = false) const {
    return utils_->GetBoolAttribute(attributes_, PMString(name), otherwise);
  }

  std::map<PMString, std::vector<XRefBuildingBlock>> blocks_;
  std::vector<PMString> languages_;
  bool restricted_ = false;
  // The last block appended is custom text with nothing read since.
  bool joinable_ = false;
  UID characterStyle_ = kInvalidUID;
  PMString preceding_, following_;
  std::vector<OpenElement> open_;
  UIDRef target_;
  // Valid during StartElement only.
  IXRefConversionLog* log_ = nullptr;
  IXRefParsingUtils* utils_ = nullptr;
  ISAXAttributes* attributes_ = nullptr;
  PMString name_;
};
}  // namespace

CREATE_PMINTERFACE(XRefConvertFormatContentHandler, kXRefConvertFormatContentHandlerImpl);
