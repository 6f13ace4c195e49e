#include "cli/Describe.h"
#include "cli/CrossRefs.h"
#include "cli/NativeCrossRefs.h"
#include "cli/SourceMarkers.h"
#include "headless/application/Application.h"
#include "host/IDocument.h"
#include "host/IFootnote.h"
#include "host/ILayout.h"
#include "host/IOwnedItemStrand.h"
#include "host/IParagraphStrand.h"
#include "cli/StoryNumbers.h"
#include "host/IStoryList.h"
#include "host/IStyleGroupManager.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/ScriptObjectModel.h"
#include "host/TextIDs.h"
#include "host/UtilsBoss.h"
#include <cstdio>

namespace {
std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", v);
  return buf;
}

std::string PageName(IDataBase* db, UID page) {
  if (page == kInvalidUID) return "overset";
  if (db->GetClass(page) == kSpreadBoss) return "pasteboard";
  const std::string name = DescribedPageName(db, page);
  return name.empty() ? "?" : "page " + name;
}

UID PageOf(IDataBase* db, UID story, TextIndex at) {
  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  InterfacePtr<IHierarchy> frame(db, frames ? frames->GetFrameContaining(at) : kInvalidUID, IID_IHIERARCHY);
  InterfacePtr<ILayoutUtils> layout(UtilsBoss::QueryUtils<ILayoutUtils>());
  return frame && layout ? layout->GetOwnerPageUID(frame.get()) : kInvalidUID;
}

// Printable text: invisible characters as their code points.
std::string Visible(const WideString& text) {
  std::string out;
  for (int32 i = 0; i < text.Length(); ++i) {
    char16_t c = text.Units()[static_cast<size_t>(i)];
    if (c == u'\r') continue;
    if (c < 0x20 || c == 0xFEFF) out += "<" + Hex(c) + ">";
    else out += WideString(std::u16string(1, c)).GetUTF8String();
  }
  return out;
}

void DescribeStory(IDataBase* db, UID story, std::ostream& out) {
  InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
  if (!text) return;
  InterfacePtr<IHierarchy> owner(db, story, IID_IHIERARCHY);
  InterfacePtr<IParagraphStrand> paras(
      static_cast<IParagraphStrand*>(text->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  InterfacePtr<IScriptObjectModel> script(db, story, IID_ISCRIPTOBJECTMODEL);
  out << "story " << StoryNumber(db, story) << ": " << StoryLength(db, story) << " characters, ";
  if (owner && owner->GetParentUID() != kInvalidUID) {
    out << "a footnote's text\n";
  } else {
    out << (frames ? frames->GetFrameCount() : 0) << " frames";
    if (frames && frames->GetOversetStart() < text->TotalLength()) out << ", overset from " << frames->GetOversetStart();
    out << "\n";
  }
  for (int32 p = 0; paras && p < paras->GetParagraphCount(); ++p) {
    int32 length = 0;
    TextIndex start = paras->GetNthParagraphStart(p, &length);
    ScriptData number;
    PMString numberText;
    if (script) script->GetElementProperty(kParagraphElement, kFormIndex, start, kNumberingResultTextProperty, &number);
    number.GetString(&numberText);
    if (!numberText.IsEmpty()) numberText.Append(" ");
    out << "  [" << PageName(db, PageOf(db, story, start)) << "] " << numberText.GetUTF8String()
        << Visible(text->CopyText(start, length)) << "\n";
  }
  InterfacePtr<IOwnedItemStrand> owned(
      static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  for (const OwnedItemInfo& item : owned ? owned->GetOwnedItems(0, text->TotalLength()) : std::vector<OwnedItemInfo>()) {
    InterfacePtr<IFootnote> note(db, item.uid, IID_IFOOTNOTE);
    if (!note) continue;
    InterfacePtr<ITextModel> noteText(db, note->GetFootnoteStoryUID(), IID_ITEXTMODEL);
    out << "  footnote " << note->GetNumberText(false).GetUTF8String() << " at " << item.index << ": story "
        << StoryNumber(db, note->GetFootnoteStoryUID()) << ", "
        << note->GetNumberText(true).GetUTF8String()
        << (noteText ? Visible(noteText->CopyText(0, noteText->TotalLength())) : std::string()) << "\n";
  }
}
}  // namespace

std::string DescribedPageName(IDataBase* doc, UID page) {
  InterfacePtr<IPageList> pages(doc, kRootUID, IID_IPAGELIST);
  PMString s;
  if (!pages || !pages->GetPageString(page, &s, true, false, kDefaultPageNumber, true)) return std::string();
  return s.GetUTF8String();
}

void DescribeDocument(DataBase* doc, std::ostream& out) {
  InterfacePtr<IDocument> document(doc, kRootUID);
  PMString name;
  if (document) document->GetName(&name);
  out << "document: " << name.GetUTF8String() << "\n";
  std::string path = Application::Current() ? Application::Current()->DocumentPath(doc) : std::string();
  out << "file: " << (path.empty() ? "(not saved)" : path) << "\n";
  for (auto& p : doc->PluginData()) {
    out << "plug-in " << Hex(IdValue(p.first)) << ": data version " << p.second / 100 << "." << p.second % 100;
    auto converted = doc->ConvertedFrom().find(p.first);
    if (converted != doc->ConvertedFrom().end())
      out << " (converted on opening from data version " << converted->second / 100 << "." << converted->second % 100
          << ")";
    out << "\n";
  }
  InterfacePtr<IPageList> pages(doc, kRootUID, IID_IPAGELIST);
  out << "pages:";
  for (int32 i = 0; pages && i < pages->GetPageCount(); ++i) out << " " << DescribedPageName(doc, pages->GetNthPageUID(i));
  out << "\n";
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i) DescribeStory(doc, stories->GetNthStoryUID(i), out);
  for (const SourceMarkerEntry& marker : ListSourceMarkers(doc)) {
    out << "source marker \"" << marker.name << "\": ";
    if (marker.story == kInvalidUID) out << "not anchored\n";
    else out << "story " << StoryNumber(doc, marker.story) << " at " << marker.index << ", "
             << PageName(doc, PageOf(doc, marker.story, marker.index)) << "\n";
  }
  DescribeCrossRefs(doc, out);
  DescribeNativeCrossRefs(doc, out);
  DescribeHyperlinks(doc, out);
}
