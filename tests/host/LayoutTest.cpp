#include "headless/text/DocumentBuilder.h"
#include "headless/objects/Host.h"
#include "host/COwnedItem.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/IFootnote.h"
#include "host/ILayout.h"
#include "host/ILineInfo.h"
#include "host/INumbering.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextVariable.h"
#include "host/ScriptObjectModel.h"
#include "host/UtilsBoss.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
// The page showing a story index, asked the way the plug-in asks: the
// story's frame list, the frame's hierarchy, the layout utility.
UID PageOf(IDataBase* db, UID story, TextIndex at) {
  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  UID frame = frames ? frames->GetFrameContaining(at) : kInvalidUID;
  InterfacePtr<IHierarchy> hierarchy(db, frame, IID_IHIERARCHY);
  InterfacePtr<ILayoutUtils> layout(UtilsBoss::QueryUtils<ILayoutUtils>());
  return hierarchy && layout ? layout->GetOwnerPageUID(hierarchy.get()) : kInvalidUID;
}

std::string PageString(IDataBase* db, UID page, bool sectionName, bool arabic, int32 type = kDefaultPageNumber,
                       bool display = true) {
  InterfacePtr<IPageList> pages(db, kRootUID, IID_IPAGELIST);
  PMString s;
  if (!pages->GetPageString(page, &s, sectionName, arabic, type, display)) return "(none)";
  return s.GetUTF8String();
}

// Paragraphs of 20, 20 and 15 characters (with the story's final return):
// two lines each at 10 columns.
const char* kText = "aaaa bbbb cccc dddd\reeee ffff gggg hhhh\riiii jjjj kkkk";
}  // namespace

TEST(Layout, StoryFlowsThroughFramesOnPagesAndThePasteboard) {
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  UID spread1 = layout.AddSpread(1);
  UID spread2 = layout.AddSpread(2);
  ASSERT_NE(kInvalidUID, spread2);
  UID story = MakeStory(db, kText);
  // 10 columns: every paragraph of 20 takes two lines.
  layout.AddTextFrame(layout.PageUID(0), story, 10, 2);
  layout.AddTextFrame(layout.PageUID(2), story, 10, 2);
  layout.AddTextFrame(spread2, story, 10, 1);  // on the pasteboard

  EXPECT_EQ(layout.PageUID(0), PageOf(db, story, 0));
  EXPECT_EQ(layout.PageUID(0), PageOf(db, story, 19));  // the return ends the second line
  EXPECT_EQ(layout.PageUID(2), PageOf(db, story, 20));
  EXPECT_EQ(layout.PageUID(2), PageOf(db, story, 39));
  EXPECT_EQ(spread2, PageOf(db, story, 45));            // the pasteboard answers its spread
  EXPECT_EQ(kInvalidUID, PageOf(db, story, 50));        // beyond the last frame: overset
  EXPECT_EQ(kInvalidUID, PageOf(db, story, 500));
  EXPECT_NE(spread1, spread2);

  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  InterfacePtr<IStoryFrameUtils> flagged(UtilsBoss::QueryUtils<IStoryFrameUtils>());
  EXPECT_TRUE(flagged->IsOverset(frames.get()));
  EXPECT_EQ(50, frames->GetOversetStart());
  // Each frame shows its own lines, none of the next frame's.
  const std::pair<TextIndex, int32> shown[] = {{0, 20}, {20, 20}, {40, 10}};
  for (int32 i = 0; i < 3; ++i) {
    InterfacePtr<ITextFrame> frame(db, frames->GetNthFrameUID(i), IID_ITEXTFRAME);
    EXPECT_EQ(shown[i].first, frame->TextStart()) << i;
    EXPECT_EQ(shown[i].second, frame->TextSpan()) << i;
  }

  InterfacePtr<ILineInfo> lines(db, story, IID_ILINEINFO);
  LineInfo info;
  ASSERT_TRUE(lines->GetLineInfo(32, &info));
  EXPECT_EQ(static_cast<int32>(UIDValue(layout.PageUID(2))), info.pageUID);
  EXPECT_EQ("3", info.pageString.GetUTF8String());
  EXPECT_EQ(30, info.lineStart);
  EXPECT_DOUBLE_EQ(2 * kLineHeight, info.baseline);
  EXPECT_EQ(1, info.lineInFrame);
  EXPECT_EQ(static_cast<int32>(UIDValue(spread2)), info.spreadUID);
  EXPECT_FALSE(lines->GetLineInfo(51, &info));
}

TEST(Layout, PageStringsFollowSections) {
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  for (int i = 0; i < 3; ++i) layout.AddSpread(2);  // pages 0..5
  layout.AddSection({0, 1, kLowerRomanNumbers, PMString("Intro-")});
  layout.AddSection({2, 1, kArabicNumbers, PMString("Ch1-")});
  layout.AddSection({4, 7, kUpperRomanNumbers, PMString()});

  EXPECT_EQ("ii", PageString(db, layout.PageUID(1), false, false));
  EXPECT_EQ("Intro-ii", PageString(db, layout.PageUID(1), true, false));
  EXPECT_EQ("2", PageString(db, layout.PageUID(1), false, true));
  EXPECT_EQ("Ch1-1", PageString(db, layout.PageUID(2), true, false));
  EXPECT_EQ("VIII", PageString(db, layout.PageUID(5), true, false));
  EXPECT_EQ("8", PageString(db, layout.PageUID(5), true, true));
  // Actual is the page's place in the document; ordinal its place in its section.
  EXPECT_EQ("6", PageString(db, layout.PageUID(5), true, false, kActualPageNumber));
  EXPECT_EQ("II", PageString(db, layout.PageUID(5), false, false, kOrdinalPageNumber));
  // Not for display: the plain number, no prefix.
  EXPECT_EQ("2", PageString(db, layout.PageUID(1), true, false, kDefaultPageNumber, false));
  EXPECT_EQ("(none)", PageString(db, UID{999}, true, false));
}

TEST(Layout, FootnotesNumberedParagraphsAndVariablesThroughHostQueries) {
  TestApp app;
  DataBase* db = app->NewDocument();
  DocumentBuilder docs(db);
  LayoutBuilder layout(db);
  UID h1 = docs.AddParagraphStyle("Heading 1", AttributeBossList(), kNumberedList);
  UID h2 = docs.AddParagraphStyle("Heading 2", AttributeBossList(), kNumberedList);
  UID fig = docs.AddParagraphStyle("Figure", AttributeBossList(), kNumberedList);
  ASSERT_TRUE(layout.SetNumbering(h1, "headings", 1, "^1."));
  ASSERT_TRUE(layout.SetNumbering(h2, "headings", 2, "^1.^2."));
  ASSERT_TRUE(layout.SetNumbering(fig, "figures", 1, "Figure ^1"));
  UID story = docs.NewStory();
  docs.AddParagraph(story, h1);
  docs.AddRun(story, WideString("Start"));           // 0..5
  docs.AddParagraph(story, h2);
  docs.AddRun(story, WideString("Sub"));             // 6..9
  docs.AddParagraph(story, fig);
  docs.AddRun(story, WideString("Chart"));           // 10..15
  docs.AddParagraph(story, h1);
  docs.AddRun(story, WideString("Next"));            // 16..20
  docs.AddParagraph(story, h2);
  docs.AddRun(story, WideString("Again"));           // 21..
  InterfacePtr<IScriptObjectModel> script(db, story, IID_ISCRIPTOBJECTMODEL);
  auto text = [&](TextIndex at) {
    ScriptData d;
    PMString s;
    script->GetElementProperty(kParagraphElement, kFormIndex, at, kNumberingResultTextProperty, &d);
    d.GetString(&s);
    return s.GetUTF8String();
  };
  auto value = [&](TextIndex at) {
    ScriptData d;
    int32 v = -1;
    script->GetElementProperty(kParagraphElement, kFormIndex, at, kNumberingResultValueProperty, &d);
    d.GetInt(&v);
    return v;
  };
  EXPECT_EQ("1.", text(2));
  EXPECT_EQ("1.1.", text(7));
  EXPECT_EQ("Figure 1", text(12));
  EXPECT_EQ("2.", text(17));
  EXPECT_EQ("2.1.", text(22));  // the deeper level started again
  EXPECT_EQ(1, value(22));
  EXPECT_EQ(2, value(17));
  ScriptData none;
  EXPECT_NE(kSuccess, script->GetElementProperty(kParagraphElement, kFormIndex, 999, kNumberingResultTextProperty, &none));

  ASSERT_TRUE(layout.SetFootnoteSettings(kLowerRomanNumbers, 1, "[", "]", "", ".", "\t"));
  UID first = layout.AddFootnote(story, 3, WideString("First note."));
  UID second = layout.AddFootnote(story, 1, WideString("Earlier note."));
  ASSERT_NE(kInvalidUID, first);
  InterfacePtr<IFootnote> a(db, first, IID_IFOOTNOTE), b(db, second, IID_IFOOTNOTE);
  // Numbers follow the order of references in the text, not of creation.
  EXPECT_EQ("[ii]", a->GetNumberText(false).GetUTF8String());
  EXPECT_EQ("ii.", a->GetNumberText(true).GetUTF8String());
  EXPECT_EQ("i.", b->GetNumberText(true).GetUTF8String());
  EXPECT_EQ(4, a->GetReferenceIndex());  // moved by the earlier reference
  EXPECT_EQ("\x04\tFirst note.\r", StoryText(db, a->GetFootnoteStoryUID()));
  InterfacePtr<IFootnoteUtils> notes(UtilsBoss::QueryUtils<IFootnoteUtils>());
  EXPECT_EQ(first, notes->GetFootnoteAt(UIDRef(db, a->GetFootnoteStoryUID()), 5));
  EXPECT_EQ(kInvalidUID, notes->GetFootnoteAt(UIDRef(db, story), 5));

  UID var = layout.AddTextVariable("Product", "XRef Pro");
  UID instance = layout.InsertTextVariable(story, 0, var);
  ASSERT_NE(kInvalidUID, instance);
  InterfacePtr<IOwnedItemStrand> owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  EXPECT_EQ(instance, owned->GetOwnedUID(0, kTextVariableInstanceBoss));
  InterfacePtr<ITextVariableInstance> inst(db, instance, IID_ITEXTVARIABLEINSTANCE);
  EXPECT_EQ("XRef Pro", inst->GetResultText().GetUTF8String());
  InterfacePtr<IChapterNumberService> chapters(UtilsBoss::QueryUtils<IChapterNumberService>());
  layout.SetChapterNumber(4, kUpperRomanNumbers);
  EXPECT_EQ("IV", chapters->GetChapterNumberString(db).GetUTF8String());
}

TEST(Layout, EditsRecomposeAndMoveTextToTheNextPage) {
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(2);
  UID story = MakeStory(db, kText);
  layout.AddTextFrame(layout.PageUID(0), story, 10, 4);
  layout.AddTextFrame(layout.PageUID(1), story, 10, 4);
  EXPECT_EQ(layout.PageUID(0), PageOf(db, story, 35));
  // A paragraph inserted at the start pushes the rest down two lines.
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("zzzz yyyy xxxx wwww\r"))));
  EXPECT_EQ(layout.PageUID(1), PageOf(db, story, 55));
  EXPECT_EQ(layout.PageUID(0), PageOf(db, story, 19));
  db->Undo();
  EXPECT_EQ(layout.PageUID(0), PageOf(db, story, 35));
}

TEST(Layout, SavedLayoutReadsBackTheSame) {
  TestApp app;
  TempDir dir;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(2);
  layout.AddSection({1, 5, kUpperLetterNumbers, PMString("S")});
  UID story = MakeStory(db, kText);
  layout.AddTextFrame(layout.PageUID(1), story, 10, 3);
  layout.AddFootnote(story, 2, WideString("note"));
  std::string error;
  ASSERT_TRUE(app->SaveDocumentAs(db, dir.File("l.xrefdoc"), &error)) << error;
  app->CloseDocument(db);
  DataBase* back = app->OpenDocument(dir.File("l.xrefdoc"), &error);
  ASSERT_NE(nullptr, back) << error;
  LayoutBuilder again(back);
  EXPECT_EQ(again.PageUID(1), PageOf(back, story, 10));
  EXPECT_EQ("SE", PageString(back, again.PageUID(1), true, false));
  EXPECT_EQ(kInvalidUID, PageOf(back, story, 40));
}

namespace {
// An owned item that hears layout and counts what it heard.
struct LayoutLog {
  int overset = 0, composed = 0;
  int adornments = 0;
};
LayoutLog& Heard() {
  static LayoutLog log;
  return log;
}

class ListeningItem : public COwnedItem {
public:
  using COwnedItem::COwnedItem;
  bool16 HearsLayout() override { return true; }
  void Overset() override { ++Heard().overset; }
  void ComposedIntoLine(IPMUnknown* line) override {
    ++Heard().composed;
    InterfacePtr<IWaxLine> wax(line, IID_IWAXLINE);
    if (!wax) return;
    if (!wax->HasAdornment(ClassID{0x7C05})) wax->AddAdornment(ClassID{0x7C05}, 1.0);
    Heard().adornments = wax->GetAdornmentCount();
  }
};
constexpr ClassID kListeningItemBoss{0x7C01};
constexpr ImplementationID kListeningItemImpl{0x7C02};
}  // namespace

TEST(Layout, OwnedItemsHearWhenTheirLineChangesOrTheyGoOverset) {
  Host::Get().Impls().InstallHostPersistent<ListeningItem>(kListeningItemImpl);
  Host::Get().Classes().Define({kListeningItemBoss, kInvalidClass, {{IID_IOWNEDITEM, kListeningItemImpl}}});
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(1);
  UID story = MakeStory(db, kText);
  layout.AddTextFrame(layout.PageUID(0), story, 10, 2);
  UID item = db->NewUID(kListeningItemBoss);
  InterfacePtr<IOwnedItemStrand> owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  ASSERT_TRUE(owned->SetOwnedItem(12, kListeningItemBoss, item));
  Heard() = LayoutLog();
  app->Idle().RunOnce();  // idle time composes the story
  EXPECT_EQ(1, Heard().composed);
  EXPECT_EQ(1, Heard().adornments);
  app->Idle().RunOnce();  // nothing changed: nothing to hear
  EXPECT_EQ(1, Heard().composed);
  // Text before the anchor pushes it out of the frame.
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("a long new first line\r"))));
  app->Idle().RunOnce();
  EXPECT_EQ(1, Heard().overset);
  EXPECT_EQ(1, Heard().composed);
  db->Undo();
  app->Idle().RunOnce();
  EXPECT_EQ(2, Heard().composed);
}

// The page list follows spreads and pages as they are added, undone and
// redone, and keeps its answers through changes that touch no spread.
TEST(Layout, PageListFollowsSpreadsAddedUndoneAndRedone) {
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(2);
  const UID story = MakeStory(db, "Some text");
  db->ClearUndo();
  InterfacePtr<IPageList> pages(db, kRootUID, IID_IPAGELIST);
  ASSERT_TRUE(pages);
  ASSERT_EQ(2, pages->GetPageCount());
  const UID second = pages->GetNthPageUID(1);
  EXPECT_EQ(1, pages->GetPageIndex(second));
  {
    CmdUtils::SequenceContext add(PMString("Add spread"));
    ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("More "))));
    ASSERT_NE(kInvalidUID, layout.AddSpread(2));
    ASSERT_NE(kInvalidUID, layout.AddSpread(1));
  }
  ASSERT_EQ(5, pages->GetPageCount());
  const UID last = pages->GetNthPageUID(4);
  EXPECT_EQ(4, pages->GetPageIndex(last));
  ASSERT_TRUE(db->Undo());
  EXPECT_EQ(2, pages->GetPageCount());
  EXPECT_EQ(-1, pages->GetPageIndex(last));
  EXPECT_EQ(1, pages->GetPageIndex(second));
  ASSERT_TRUE(db->Redo());
  EXPECT_EQ(5, pages->GetPageCount());
  EXPECT_EQ(4, pages->GetPageIndex(last));
}
