// Stories: text, paragraphs, iteration, the lock, and what out-of-range or
// unknown input answers.
#include "headless/text/DocumentBuilder.h"
#include "headless/text/Workspace.h"
#include "host/ICharAttrStrand.h"
#include "host/IOwnedItemStrand.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryList.h"
#include "host/IStoryLock.h"
#include "host/IStyleGroupManager.h"
#include "host/ITextAttributes.h"
#include "host/TextIterator.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
struct Para {
  TextIndex start;
  int32 length;
  bool operator==(const Para& o) const { return start == o.start && length == o.length; }
};
std::ostream& operator<<(std::ostream& os, const Para& p) { return os << "[" << p.start << "+" << p.length << "]"; }

std::vector<Para> Paragraphs(IDataBase* db, UID story) {
  auto paras = StrandOf<IParagraphStrand>(db, story, kParagraphStrandBoss);
  std::vector<Para> result;
  for (int32 n = 0; n < paras->GetParagraphCount(); ++n) {
    Para p{0, 0};
    p.start = paras->GetNthParagraphStart(n, &p.length);
    result.push_back(p);
  }
  return result;
}
}  // namespace

TEST(Story, NewStoryHoldsOneReturnInTheRootStylesAndJoinsTheDocument) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  InterfacePtr<ICommand> make(CmdUtils::CreateCommand(kNewStoryCmdBoss));
  make->SetItemList(UIDList(doc));
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(make.get()));
  ASSERT_EQ(1, make->GetItemList()->Length());
  UID story = make->GetItemList()->At(0);
  EXPECT_EQ("\r", StoryText(doc, story));
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  ASSERT_EQ(1, stories->GetStoryCount());
  EXPECT_EQ(story, stories->GetNthStoryUID(0));
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  InterfacePtr<IStyleInfo> charStyle(doc, attrs->GetCharStyle(0), IID_ISTYLEINFO);
  InterfacePtr<IStyleInfo> paraStyle(doc, attrs->GetParagraphStyle(0), IID_ISTYLEINFO);
  ASSERT_TRUE(charStyle && paraStyle);
  EXPECT_EQ("[None]", charStyle->GetName().GetUTF8String());
  EXPECT_EQ("[Basic Paragraph]", paraStyle->GetName().GetUTF8String());
  doc->Undo();
  EXPECT_EQ(0, stories->GetStoryCount());
  EXPECT_FALSE(doc->IsValidUID(story));
}

TEST(Story, InsertingReturnsSplitsParagraphsAndDeletingThemJoins) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  DocumentBuilder builder(doc);
  UID heading = builder.AddParagraphStyle("Heading", AttributeBossList());
  UID story = builder.NewStory();
  builder.AddParagraph(story, heading);
  builder.AddRun(story, WideString("Alpha"));
  builder.AddParagraph(story);
  builder.AddRun(story, WideString("Beta"));
  ASSERT_EQ("Alpha\rBeta\r", StoryText(doc, story));
  EXPECT_EQ((std::vector<Para>{{0, 6}, {6, 5}}), Paragraphs(doc, story));

  auto cmds = CmdsOf(doc, story);
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(2, WideString("x\ry\rz"))));
  EXPECT_EQ("Alx\ry\rzpha\rBeta\r", StoryText(doc, story));
  EXPECT_EQ((std::vector<Para>{{0, 4}, {4, 2}, {6, 5}, {11, 5}}), Paragraphs(doc, story));
  // The new paragraphs belong to the one the text went into.
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  EXPECT_EQ(heading, attrs->GetParagraphStyle(5));
  EXPECT_EQ(heading, attrs->GetParagraphStyle(8));
  EXPECT_NE(heading, attrs->GetParagraphStyle(12));

  // Deleting from inside the first paragraph into the last joins them; the
  // joined paragraph keeps the first one's style.
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(1, 12)));
  EXPECT_EQ("Ata\r", StoryText(doc, story));
  EXPECT_EQ((std::vector<Para>{{0, 4}}), Paragraphs(doc, story));
  EXPECT_EQ(heading, attrs->GetParagraphStyle(2));

  // A return inserted at a paragraph's start makes an empty paragraph there.
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(0, WideString("\r"))));
  EXPECT_EQ((std::vector<Para>{{0, 1}, {1, 4}}), Paragraphs(doc, story));
}

TEST(Story, OutOfRangeIndexesAndUnknownThingsGiveEmptyAnswers) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  UID story = MakeStory(doc, "Hello");
  InterfacePtr<ITextModel> model(doc, story, IID_ITEXTMODEL);
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  auto paras = StrandOf<IParagraphStrand>(doc, story, kParagraphStrandBoss);
  auto owned = StrandOf<IOwnedItemStrand>(doc, story, kOwnedItemStrandBoss);
  auto chars = StrandOf<ICharAttrStrand>(doc, story, kCharAttrStrandBoss);
  for (TextIndex bad : {-1, 6, 1000000, -2147483647}) {
    EXPECT_TRUE(model->CopyText(bad, 3).empty() || bad < 0) << bad;
    EXPECT_EQ(0, model->GetUnit(bad));
    int32 length = 99;
    EXPECT_EQ(kInvalidTextIndex, paras->GetParagraphStart(bad, &length));
    EXPECT_EQ(0, length);
    EXPECT_EQ(-1, paras->GetParagraphIndex(bad));
    EXPECT_EQ(kInvalidUID, attrs->GetCharStyle(bad));
    EXPECT_EQ(kInvalidUID, attrs->GetParagraphStyle(bad));
    EXPECT_EQ(kInvalidUID, attrs->GetLanguage(bad));
    EXPECT_EQ(0, attrs->GetResolvedAttributes(bad).CountBosses());
    EXPECT_FALSE(attrs->GetAttributeInForce(bad, kTextAttrFontBoss, nullptr));
    EXPECT_EQ(kNoNumbering, attrs->GetNumberingKind(bad));
    EXPECT_FALSE(chars->GetRun(bad, nullptr, nullptr));
    EXPECT_EQ(0, chars->GetOverrides(bad).CountBosses());
    EXPECT_TRUE(owned->GetOwnedItems(bad, 1).empty());
    EXPECT_FALSE(owned->SetOwnedItem(bad, ClassID{0x7399}, UID{5}));
    EXPECT_TRUE(TextIterator(model.get(), bad).IsNull());
  }
  EXPECT_EQ("Hello\r", model->CopyText(-3, 100).GetUTF8String());
  EXPECT_EQ(kInvalidTextIndex, paras->GetNthParagraphStart(1, nullptr));
  EXPECT_EQ(kInvalidTextIndex, paras->GetNthParagraphStart(-1, nullptr));

  // Commands on bad ranges fail and leave the story as it was.
  const std::string before = StoryState(doc, story);
  auto cmds = CmdsOf(doc, story);
  EXPECT_EQ(kTextRangeError, Process(cmds->InsertCmd(6, WideString("x"))));  // after the final return
  EXPECT_EQ(kTextRangeError, Process(cmds->InsertCmd(-1, WideString("x"))));
  EXPECT_EQ(kTextRangeError, Process(cmds->InsertCmd(0, WideString())));
  EXPECT_EQ(kTextRangeError, Process(cmds->DeleteCmd(0, 6)));  // the final return stays
  EXPECT_EQ(kTextRangeError, Process(cmds->DeleteCmd(3, 0)));
  EXPECT_EQ(kTextRangeError, Process(cmds->DeleteCmd(2, 0x7FFFFFFF)));
  EXPECT_EQ(kTextRangeError, Process(cmds->ApplyCmd(4, 3, AttributeBossList())));
  EXPECT_EQ(kTextRangeError, Process(cmds->ApplyCharStyleCmd(7, 0, attrs->GetCharStyle(0))));
  EXPECT_EQ(kTextRangeError, Process(cmds->SetNumberingCmd(6, 0, kNumberedList)));
  EXPECT_EQ(kInvalidParameterError, Process(cmds->SetNumberingCmd(0, 1, 7)));
  EXPECT_EQ(kInvalidParameterError, Process(cmds->ApplyCharStyleCmd(0, 2, UID{999999})));
  // A paragraph style is no character style, and the other way round.
  EXPECT_EQ(kInvalidParameterError, Process(cmds->ApplyCharStyleCmd(0, 2, attrs->GetParagraphStyle(0))));
  EXPECT_EQ(kInvalidParameterError, Process(cmds->ApplyParaStyleCmd(0, 2, attrs->GetCharStyle(0))));
  EXPECT_EQ(before, StoryState(doc, story));
  EXPECT_FALSE(doc->CanUndo());

  // Unknown styles, and commands on something that is no story.
  InterfacePtr<IStyleGroupManager> styles(
      static_cast<IStyleGroupManager*>(QueryWorkspaceInterface(doc, IID_ICHARSTYLEGROUPMANAGER)));
  EXPECT_EQ(kInvalidUID, styles->FindByName(PMString("No Such Style")));
  EXPECT_EQ(kInvalidUID, styles->FindByName(PMString()));
  EXPECT_EQ(kInvalidUID, styles->GetNthStyleUID(-1));
  EXPECT_EQ(kInvalidUID, styles->GetNthStyleUID(styles->GetStyleCount()));
  InterfacePtr<ICommand> stray(CmdUtils::CreateCommand(kInsertTextCmdBoss));
  stray->SetItemList(UIDList(doc, kRootUID));
  EXPECT_NE(kSuccess, CmdUtils::ProcessCommand(stray.get()));
}

TEST(Story, IteratorStepsOverSurrogatePairsAndEditsNeverSplitOne) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  UID story = MakeStory(doc, "a\xF0\x9F\x98\x80" "b");  // a, U+1F600, b
  InterfacePtr<ITextModel> model(doc, story, IID_ITEXTMODEL);
  ASSERT_EQ(5, model->TotalLength());
  std::vector<uint32_t> forward;
  for (TextIterator it(model.get(), 0); !it.IsNull(); ++it) forward.push_back(*it);
  EXPECT_EQ((std::vector<uint32_t>{'a', 0x1F600, 'b', '\r'}), forward);
  TextIterator back(model.get(), 3);
  --back;
  EXPECT_EQ(1, back.Position());
  EXPECT_EQ(0x1F600u, static_cast<uint32_t>(*back));
  TextIterator jump(model.get(), 0);
  jump += 2;
  EXPECT_EQ(3, jump.Position());

  auto cmds = CmdsOf(doc, story);
  EXPECT_EQ(kTextRangeError, Process(cmds->InsertCmd(2, WideString("x"))));
  EXPECT_EQ(kTextRangeError, Process(cmds->DeleteCmd(1, 1)));
  EXPECT_EQ(kTextRangeError, Process(cmds->DeleteCmd(2, 1)));
  EXPECT_EQ(kSuccess, Process(cmds->DeleteCmd(1, 2)));
  EXPECT_EQ("ab\r", StoryText(doc, story));
}

TEST(Story, LockedStoryRefusesEveryTextCommand) {
  TestApp app;
  TempDir dir;
  DataBase* doc = app->NewDocument();
  UID story = MakeStory(doc, "Locked text");
  InterfacePtr<IStoryLock> lock(doc, story, IID_ISTORYLOCK);
  lock->SetLocked(true);
  auto cmds = CmdsOf(doc, story);
  const std::string before = StoryState(doc, story);
  EXPECT_EQ(kStoryLockedError, Process(cmds->InsertCmd(0, WideString("x"))));
  EXPECT_EQ(kStoryLockedError, Process(cmds->DeleteCmd(0, 1)));
  EXPECT_EQ(kStoryLockedError, Process(cmds->ApplyCmd(0, 1, AttributeBossList())));
  EXPECT_EQ(before, StoryState(doc, story));

  std::string error;
  ASSERT_TRUE(app->SaveDocumentAs(doc, dir.File("locked.xrefdoc"), &error)) << error;
  app->CloseDocument(doc);
  doc = app->OpenDocument(dir.File("locked.xrefdoc"), &error);
  ASSERT_TRUE(doc) << error;
  InterfacePtr<IStoryLock> reopened(doc, story, IID_ISTORYLOCK);
  EXPECT_TRUE(reopened->IsLocked());
  reopened->SetLocked(false);
  EXPECT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(0, WideString("Un"))));
  EXPECT_EQ("UnLocked text\r", StoryText(doc, story));
}
