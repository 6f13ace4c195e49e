#include "commands/XRefMigrationUtils.h"
#include "commands/IXRefConvertFormatCmdData.h"
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "engine/IXRefConversionLog.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/IDocument.h"
#include "host/INativeCrossRefs.h"
#include "host/IStyleGroupManager.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"
#include <algorithm>
#include <string>

namespace {
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// What XML 1.0 cannot hold as text, and a return, which its parser would
// read back as a line feed.
bool NeedsCharElement(char16_t c) {
  return (c < 0x20 && c != u'\t' && c != u'\n') || c == 0xFFFE || c == 0xFFFF;
}

// Custom text is literal: what the mark-up would read as an escape, an
// element, the end of a CDATA section or a typographic quote to straighten
// is written so that it reads back as the same characters; what XML cannot
// hold goes through the char element. A lone surrogate names no character
// at all: it is left out and *dropped says so.
void AppendLiteral(std::u16string& out, const std::u16string& text, bool* dropped) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out.push_back(c);
      out.push_back(text[++i]);
      continue;
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      *dropped = true;
      continue;
    }
    if (NeedsCharElement(c)) {
      out += u"<char code=\"";
      for (char digit : std::to_string(static_cast<unsigned>(c))) out.push_back(static_cast<char16_t>(digit));
      out += u"\"/>";
      continue;
    }
    // Earlier blocks' text counts: "]]" may end one and ">" start the next.
    const bool endsSection = c == u'>' && out.size() >= 2 && out.compare(out.size() - 2, 2, u"]]") == 0;
    switch (c) {
      case u'<': out += u"&lt;"; break;
      case u'&': out += u"&amp;"; break;
      case u'^': out += u"^^"; break;
      case 0x201C: out += u"^{"; break;
      case 0x201D: out += u"^}"; break;
      case 0x2018: out += u"^["; break;
      case 0x2019: out += u"^]"; break;
      default: out += endsSection ? u"&gt;" : std::u16string(1, c);
    }
  }
}

std::u16string StyleAttribute(IDataBase* doc, UID style) {
  if (style == kInvalidUID) return std::u16string();
  InterfacePtr<IStyleInfo> info(doc, style, IID_ISTYLEINFO);
  if (!info) return std::u16string();
  std::u16string path = info->GetFullPath().Units();
  for (char16_t& c : path)
    if (c == 0xE00B) c = u':';
  std::u16string escaped;
  for (char16_t c : path) {
    if (c == u'"') escaped += u"&quot;";
    else if (c == u'&') escaped += u"&amp;";
    else if (c == u'<') escaped += u"&lt;";
    else escaped.push_back(c);
  }
  return u" cstyle=\"" + escaped + u"\"";
}

void AppendElement(std::u16string& out, const char16_t* opening, const std::u16string& s) {
  out += opening;
  out += s;
  out += u"/>";
}

bool RunMerged(ICommand* cmd) { return XRefCommandUtils::Process(cmd); }
}  // namespace

IDataBase* XRefMigrationUtils::DocumentOf(const ICommand* cmd) {
  const UIDList* items = cmd ? cmd->GetItemList() : nullptr;
  return items && items->Length() > 0 ? items->GetDataBase() : nullptr;
}

IXRefFormats* XRefMigrationUtils::QueryProFormats(IDataBase* doc) {
  InterfacePtr<IDocument> document(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IDOCUMENT);
  if (!document) return nullptr;
  InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace(), IID_IXREFFORMATS);
  return formats.forget();
}

PMString XRefMigrationUtils::ProMarkupOf(IDataBase* doc, const std::vector<XRefBuildingBlock>& blocks,
                                         bool* dropped) {
  bool droppedHere = false;
  if (!dropped) dropped = &droppedHere;
  std::u16string out, lastSpanStyle;
  for (const XRefBuildingBlock& block : blocks) {
    const std::u16string s = StyleAttribute(doc, block.GetCharacterStyle());
    switch (block.GetType()) {
      case XRefBuildingBlock::kCustomText:
        if (s.empty()) {
          AppendLiteral(out, block.GetCustomText().Units(), dropped);
          break;
        }
        // Text of one style after text of the same style stays in its span.
        if (out.size() >= 7 && out.compare(out.size() - 7, 7, u"</span>") == 0 && s == lastSpanStyle) {
          out.resize(out.size() - 7);
        } else {
          // Two spaces before cstyle: the opening's own and the attribute's.
          out += u"<span " + s + u">";
        }
        AppendLiteral(out, block.GetCustomText().Units(), dropped);
        out += u"</span>";
        lastSpanStyle = s;
        break;
      case XRefBuildingBlock::kFileName: AppendElement(out, u"<filename", s); break;
      case XRefBuildingBlock::kChapterNumber: AppendElement(out, u"<chapnum", s); break;
      case XRefBuildingBlock::kPageNumber: AppendElement(out, u"<pagenum", s); break;
      case XRefBuildingBlock::kFullParagraph:
        AppendElement(out, u"<paranum numberonly=\"yes\" noerror=\"yes\"", s);
        AppendElement(out, u"<paratext", s);
        break;
      case XRefBuildingBlock::kParagraphNumber: AppendElement(out, u"<paranum numberonly=\"yes\"", s); break;
      case XRefBuildingBlock::kParagraphText: AppendElement(out, u"<paratext", s); break;
      case XRefBuildingBlock::kTextAnchorName: AppendElement(out, u"<marker", s); break;
      default: break;
    }
  }
  PMString markup{WideString(out)};
  markup.SetTranslatable(false);
  return markup;
}

bool XRefMigrationUtils::IsValidFormat(const PMString& markup) {
  InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  InterfacePtr<IXRefValidator> validator(utils ? utils->QueryValidator() : nullptr);
  return validator && validator->Validate(markup, false) == kSuccess;
}

size_t XRefMigrationUtils::LogMark(IDataBase* doc) {
  InterfacePtr<IXRefConversionLog> log(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IXREFCONVERSIONLOG);
  return log ? log->GetLog().Units().size() : 0;
}

void XRefMigrationUtils::PresentLog(IDataBase* doc, size_t mark) {
  InterfacePtr<IXRefConversionLog> log(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IXREFCONVERSIONLOG);
  if (!log || log->IsEmpty()) return;
  const std::u16string all = log->GetLog().Units();
  std::u16string added = all.substr(std::min(mark, all.size()));
  if (!added.empty() && added[0] == u'\n') added.erase(0, 1);
  if (added.empty()) return;
  InterfacePtr<ICommand> show(CmdUtils::CreateCommand(kShowConversionLogCmdBoss));
  InterfacePtr<IStringData> data(show.get(), IID_ISTRINGDATA);
  if (!data) return;
  PMString text{WideString(added)};
  text.SetTranslatable(false);
  data->Set(text);
  CmdUtils::ScheduleCommand(show.get(), 0);
}

PMString XRefMigrationUtils::UnusedCustomFormatName(IDataBase* doc) {
  InterfacePtr<IBasicXRefFormatList> list(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IBASICXREFFORMATLIST);
  for (int32 n = 1;; ++n) {
    PMString name("Custom Format ");
    name.AppendNumber(n);
    name.SetTranslatable(false);
    if (!list || list->FindFormat(name) == kInvalidUID) return name;
  }
}

bool XRefMigrationUtils::AddProFormat(IDataBase* doc, const PMString& name, const PMString& markup) {
  InterfacePtr<IDocument> document(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IDOCUMENT);
  if (!document) return false;
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefAddFormatCmdBoss, UIDList(document->GetDocWorkspace())));
  InterfacePtr<IXRefFormatData> data(cmd.get(), IID_IXREFFORMATDATA);
  if (!data) return false;
  data->SetFormatData(name, markup);
  return RunMerged(cmd.get());
}

bool XRefMigrationUtils::ConvertToBasicFormat(IDataBase* doc, const PMString& name, const PMString& markup) {
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefConvertFormatCmdBoss, UIDList(doc, doc->GetRootUID())));
  InterfacePtr<IXRefConvertFormatCmdData> data(cmd.get(), IID_IXREFCONVERTFORMATCMDDATA);
  if (!data) return false;
  data->SetFormatData(name, markup);
  return RunMerged(cmd.get());
}

bool XRefMigrationUtils::InsertSourceMarker(const UIDRef& story, TextIndex at, const PMString& name) {
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss, UIDList(story)));
  InterfacePtr<IRangeData> range(cmd.get(), IID_IRANGEDATA);
  InterfacePtr<IStringData> marker(cmd.get(), IID_ISTRINGDATA);
  if (!range || !marker) return false;
  range->Set(at, 0);
  marker->Set(name);
  return RunMerged(cmd.get());
}

bool XRefMigrationUtils::InsertCrossRef(const UIDRef& story, TextIndex start, int32 length, const PMString& markerName,
                                        const PMString& formatName, const PMString& markup) {
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefInsertCrossRefCmdBoss, UIDList(story)));
  InterfacePtr<IRangeData> range(cmd.get(), IID_IRANGEDATA);
  InterfacePtr<IFileData> file(cmd.get(), IID_IFILEDATA);
  InterfacePtr<IStringData> marker(cmd.get(), IID_ISTRINGDATA);
  InterfacePtr<IXRefFormatData> format(cmd.get(), IID_IXREFFORMATDATA);
  InterfacePtr<IBoolData> hyperlink(cmd.get(), IID_IBOOLDATA);
  if (!range || !file || !marker || !format || !hyperlink) return false;
  range->Set(start, length);
  file->Set(IDFile());
  marker->Set(markerName);
  format->SetFormatData(formatName, markup);
  hyperlink->Set(false);
  return RunMerged(cmd.get());
}

PMString XRefMigrationUtils::Warning(int32 number, const PMString& parameter) {
  PMString key("QX#0xF2C#kXRefMigrationWarning");
  if (number < 10) key.Append("0");
  key.AppendNumber(number);
  key.Translate();
  if (!parameter.IsEmpty()) StringUtils::ReplaceStringParameters(&key, parameter);
  return key;
}
