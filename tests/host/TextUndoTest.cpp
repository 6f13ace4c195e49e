// Undo and redo of every text command restore the document exactly, and
// saved stories read back the same.
#include "headless/text/DocumentBuilder.h"
#include "headless/text/TextClipboard.h"
#include "host/IParaAttrStrand.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryList.h"
#include "host/ITextAttributes.h"
#include "host/TextAttr.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <fstream>
#include <functional>
#include <random>

namespace {
struct Fixture {
  DataBase* doc;
  UID story, emphasis, strong, heading, german, red;
};

Fixture Build(Application& app) {
  Fixture f;
  f.doc = app.NewDocument();
  DocumentBuilder b(f.doc);
  f.red = b.AddSwatch("Red", 0xFF0000);
  f.german = b.AddLanguage("kLanguageGerman");
  f.emphasis = b.AddCharacterStyle("Inline:Emphasis", [] {
    AttributeBossList a;
    a.ApplyAttribute(TextAttr::FontStyle(PMString("Italic")));
    return a;
  }());
  f.strong = b.AddCharacterStyle("Strong", AttributeBossList());
  f.heading = b.AddParagraphStyle("Heading", AttributeBossList(), kNumberedList);
  f.story = b.NewStory();
  b.AddParagraph(f.story, f.heading);
  b.AddRun(f.story, WideString("Chapter one"));
  b.AddParagraph(f.story);
  b.AddRun(f.story, WideString("Some "));
  b.AddRun(f.story, WideString("emphasised"), f.emphasis);
  AttributeBossList under;
  under.ApplyAttribute(TextAttr::Underline(true));
  b.AddRun(f.story, WideString(" text."), kInvalidUID, under);
  return f;
}

// Runs the command, then checks that undo gives back the document as it was
// and redo the document as the command left it.
void ExpectUndoRedoExact(DataBase* doc, ICommand* cmd, const char* what) {
  SCOPED_TRACE(what);
  const std::string before = DocumentBytes(doc);
  ASSERT_EQ(kSuccess, Process(cmd));
  const std::string after = DocumentBytes(doc);
  EXPECT_NE(before, after) << "the command changed nothing";
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(before, DocumentBytes(doc));
  ASSERT_TRUE(doc->Redo());
  EXPECT_EQ(after, DocumentBytes(doc));
}
}  // namespace

TEST(TextUndo, EveryTextCommandUndoesAndRedoesExactly) {
  TestApp app;
  Fixture f = Build(*app);
  auto cmds = CmdsOf(f.doc, f.story);
  AttributeBossList red;
  red.ApplyAttribute(TextAttr::FillColor(f.red));
  red.ApplyAttribute(TextAttr::Language(f.german));
  ExpectUndoRedoExact(f.doc, cmds->InsertCmd(3, WideString("\xC3\xA9t\rX")), "insert with a return");
  ExpectUndoRedoExact(f.doc, cmds->DeleteCmd(5, 9), "delete across paragraphs");
  ExpectUndoRedoExact(f.doc, cmds->ApplyCharStyleCmd(2, 6, f.strong), "character style on a range");
  ExpectUndoRedoExact(f.doc, cmds->ApplyCharStyleCmd(4, 0, f.emphasis), "character style on an insertion point");
  ExpectUndoRedoExact(f.doc, cmds->ApplyCmd(1, 10, red), "attributes on a range");
  ExpectUndoRedoExact(f.doc, cmds->ApplyCmd(7, 0, red), "attributes on an insertion point");
  ExpectUndoRedoExact(f.doc, cmds->ApplyParaStyleCmd(14, 0, f.heading), "paragraph style");
  ExpectUndoRedoExact(f.doc, cmds->SetNumberingCmd(0, 20, kBulletNumbering), "numbering");
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(f.doc, f.story), 0, 12));
  ExpectUndoRedoExact(f.doc, cmds->PasteCmd(9), "paste");
  InterfacePtr<ICommand> newStory(CmdUtils::CreateCommand(kNewStoryCmdBoss));
  newStory->SetItemList(UIDList(f.doc));
  newStory->AddRef();
  ExpectUndoRedoExact(f.doc, newStory.get(), "new story");
  TextClipboard::Clear();
}

TEST(TextUndo, RandomEditsUndoToTheStartAndRedoToTheEnd) {
  TestApp app;
  Fixture f = Build(*app);
  f.doc->ClearUndo();
  const std::string start = DocumentBytes(f.doc);
  InterfacePtr<ITextModel> model(f.doc, f.story, IID_ITEXTMODEL);
  auto cmds = CmdsOf(f.doc, f.story);
  std::mt19937 rng(3);
  const char* pieces[] = {"a", "word ", "\r", "two\rlines", "\xE2\x82\xAC", "\t"};
  int done = 0;
  for (int step = 0; step < 400; ++step) {
    int32 total = model->TotalLength();
    TextIndex at = static_cast<TextIndex>(rng() % static_cast<uint32>(total));
    int32 length = static_cast<int32>(rng() % 12);
    AttributeBossList attrs;
    attrs.ApplyAttribute(TextAttr::PointSize(static_cast<double>(6 + rng() % 4)));
    if (rng() % 2) attrs.ApplyAttribute(TextAttr::FillColor(f.red));
    ICommand* cmd = nullptr;
    switch (rng() % 6) {
      case 0:
      case 1: cmd = cmds->InsertCmd(at, WideString(pieces[rng() % 6])); break;
      case 2: cmd = cmds->DeleteCmd(at, length); break;
      case 3: cmd = cmds->ApplyCmd(at, length, attrs); break;
      case 4: cmd = cmds->ApplyCharStyleCmd(at, length, rng() % 2 ? f.emphasis : f.strong); break;
      default: cmd = cmds->ApplyParaStyleCmd(at, length, f.heading);
    }
    if (step % 7 == 0) cmd->SetUndoability(ICommand::kAutoUndo);
    // Out-of-range edits fail without changing anything.
    if (Process(cmd) == kSuccess) ++done;
  }
  EXPECT_GT(done, 250);
  const std::string end = DocumentBytes(f.doc);
  while (f.doc->Undo()) {
  }
  EXPECT_EQ(start, DocumentBytes(f.doc));
  while (f.doc->Redo()) {
  }
  EXPECT_EQ(end, DocumentBytes(f.doc));
}

TEST(TextUndo, SavedAndReopenedStoriesAreIdentical) {
  TestApp app;
  TempDir dir;
  Fixture f = Build(*app);
  UID second = MakeStory(f.doc, "Second story\rwith two paragraphs");
  auto cmds = CmdsOf(f.doc, f.story);
  AttributeBossList attrs;
  attrs.ApplyAttribute(TextAttr::Language(f.german));
  ASSERT_EQ(kSuccess, Process(cmds->ApplyCmd(4, 0, attrs)));  // an insertion point is state too
  const std::string first = StoryState(f.doc, f.story), other = StoryState(f.doc, second);
  std::string error;
  ASSERT_TRUE(app->SaveDocumentAs(f.doc, dir.File("a.xrefdoc"), &error)) << error;
  app->CloseDocument(f.doc);
  DataBase* doc = app->OpenDocument(dir.File("a.xrefdoc"), &error);
  ASSERT_TRUE(doc) << error;
  EXPECT_EQ(first, StoryState(doc, f.story));
  EXPECT_EQ(other, StoryState(doc, second));
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  EXPECT_EQ(2, stories->GetStoryCount());
  // What was read answers as it did, and edits go on from there.
  InterfacePtr<ITextAttributes> read(doc, f.story, IID_ITEXTATTRIBUTES);
  EXPECT_EQ(f.heading, read->GetParagraphStyle(0));
  TextAttribute language;
  ASSERT_TRUE(read->GetAttributeInForce(4, kTextAttrLanguageBoss, &language));
  EXPECT_EQ(f.german, TextAttr::AsUID(language));
  EXPECT_NE(f.german, read->GetLanguage(4));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, f.story)->InsertCmd(4, WideString("!"))));
  EXPECT_EQ(f.german, read->GetLanguage(4));
  ASSERT_TRUE(app->SaveACopy(doc, dir.File("b.xrefdoc"), &error)) << error;
  ASSERT_TRUE(doc->Undo());
  ASSERT_TRUE(app->SaveACopy(doc, dir.File("c.xrefdoc"), &error)) << error;
  std::ifstream a(dir.File("a.xrefdoc"), std::ios::binary), c(dir.File("c.xrefdoc"), std::ios::binary);
  std::string aBytes((std::istreambuf_iterator<char>(a)), {}), cBytes((std::istreambuf_iterator<char>(c)), {});
  EXPECT_EQ(aBytes, cBytes);
}

TEST(TextUndo, DeletingOrMovingWholeParagraphsKeepsTheOthersStyles) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  DocumentBuilder b(doc);
  const UID heading = b.AddParagraphStyle("Heading", AttributeBossList(), kNumberedList);
  const UID story = b.NewStory();
  for (const char* text : {"Head A", "Body", "Head B", "End"}) {
    b.AddParagraph(story, text[0] == 'H' ? heading : kInvalidUID);
    b.AddRun(story, WideString(text));
  }
  auto styles = [&] {
    auto strand = StrandOf<IParaAttrStrand>(doc, story, kParaAttrStrandBoss);
    std::vector<bool> headings;
    auto paras = StrandOf<IParagraphStrand>(doc, story, kParagraphStrandBoss);
    for (int32 i = 0; i < paras->GetParagraphCount(); ++i)
      headings.push_back(strand->GetParagraphStyle(paras->GetNthParagraphStart(i)) == heading);
    return headings;
  };
  ASSERT_EQ((std::vector<bool>{true, false, true, false}), styles());
  const std::string before = DocumentBytes(doc);
  // "Body\r": the heading after it stays a heading.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->DeleteCmd(7, 5)));
  EXPECT_EQ((std::vector<bool>{true, true, false}), styles());
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(before, DocumentBytes(doc));
  // "Head A\r" in front of "End".
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->MoveCmd(0, 7, story, 19)));
  EXPECT_EQ("Body\rHead B\rHead A\rEnd\r", StoryText(doc, story));
  EXPECT_EQ((std::vector<bool>{false, true, true, false}), styles());
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(before, DocumentBytes(doc));
  // Across paragraphs, the joined one keeps the first one's style.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->DeleteCmd(2, 7)));
  EXPECT_EQ((std::vector<bool>{true, true, false}), styles());
}
