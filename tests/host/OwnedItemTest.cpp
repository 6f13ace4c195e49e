// Owned items: anchoring, deletion with their anchors, the host's object
// commands, and copy and paste through mementos, also into another document.
#include "headless/text/StoryEditor.h"
#include "headless/text/TextClipboard.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/StandardDataInterfaces.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestOwnedItems.h"
#include "tests/support/TextTestSupport.h"

namespace {
class OwnedItems : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestOwnedItems();
    MarkerLog().Clear();
    TextClipboard::Clear();
  }
  void TearDown() override { TextClipboard::Clear(); }

  // Anchors a new marker of the class at the index, through the host's command.
  UID Anchor(DataBase* doc, UID story, TextIndex at, ClassID cls, const char* name) {
    UID marker = NewTestMarker(doc, cls, name);
    InterfacePtr<ICommand> attach(CmdUtils::CreateCommand(kAttachOwnedItemCmdBoss));
    attach->SetItemList(UIDList(doc, story));
    InterfacePtr<IUIDData>(attach, IID_IUIDDATA)->Set(UIDRef(doc, marker));
    InterfacePtr<IIntData>(attach, IID_IINTDATA)->Set(at);
    InterfacePtr<IClassIDData>(attach, IID_ICLASSIDDATA)->Set(cls);
    EXPECT_EQ(kSuccess, CmdUtils::ProcessCommand(attach.get()));
    return marker;
  }

  TestApp app_;
};
}  // namespace

TEST_F(OwnedItems, AnchorsFollowTheTextAndOneItemPerIndexAndClass) {
  DataBase* doc = app_->NewDocument();
  UID story = MakeStory(doc, "abcdef");
  UID first = Anchor(doc, story, 2, kTestMarkerBoss, "first");
  UID plain = Anchor(doc, story, 2, kTestPlainMarkerBoss, "plain");
  auto strand = StrandOf<IOwnedItemStrand>(doc, story, kOwnedItemStrandBoss);
  EXPECT_EQ(first, strand->GetOwnedUID(2, kTestMarkerBoss));
  EXPECT_EQ(plain, strand->GetOwnedUID(2, kTestPlainMarkerBoss));
  EXPECT_EQ(kInvalidUID, strand->GetOwnedUID(3, kTestMarkerBoss));

  // Text before the anchor moves it; the items are not told on every edit
  // (composition tells those whose lines changed).
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(0, WideString("xy"))));
  InterfacePtr<IOwnedItem> item(doc, first, IID_IOWNEDITEM);
  EXPECT_EQ(4, item->GetTextIndex());
  EXPECT_EQ(UIDRef(doc, story), item->GetStoryRef());
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(6, WideString("z"))));
  EXPECT_EQ(4, item->GetTextIndex());
  EXPECT_EQ(0, MarkerLog().moved);

  // A second item of the same class at the index replaces (and unanchors) the first.
  UID second = Anchor(doc, story, 4, kTestMarkerBoss, "second");
  EXPECT_EQ(second, strand->GetOwnedUID(4, kTestMarkerBoss));
  EXPECT_EQ(-1, item->GetTextIndex());
  EXPECT_FALSE(item->GetStoryRef().GetDataBase());
  // Anchoring an item elsewhere moves it.
  Anchor(doc, story, 0, kTestPlainMarkerBoss, "other");
  InterfacePtr<ICommand> move(CmdUtils::CreateCommand(kAttachOwnedItemCmdBoss));
  move->SetItemList(UIDList(doc, story));
  InterfacePtr<IUIDData>(move, IID_IUIDDATA)->Set(UIDRef(doc, second));
  InterfacePtr<IIntData>(move, IID_IINTDATA)->Set(7);
  InterfacePtr<IClassIDData>(move, IID_ICLASSIDDATA)->Set(kTestMarkerBoss);
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(move.get()));
  auto items = strand->GetOwnedItems(0, 100);
  ASSERT_EQ(3u, items.size());
  EXPECT_EQ(0, items[0].index);
  EXPECT_EQ(4, items[1].index);
  EXPECT_EQ(plain, items[1].uid);
  EXPECT_EQ(7, items[2].index);
  EXPECT_EQ(second, items[2].uid);
}

TEST_F(OwnedItems, DeletingAnchorsRunsEachDeletionCommandOnce) {
  DataBase* doc = app_->NewDocument();
  UID story = MakeStory(doc, "one two three");
  UID a = Anchor(doc, story, 1, kTestMarkerBoss, "a");
  UID b = Anchor(doc, story, 4, kTestMarkerBoss, "b");
  UID c = Anchor(doc, story, 4, kTestPlainMarkerBoss, "c");
  UID kept = Anchor(doc, story, 9, kTestMarkerBoss, "kept");
  doc->ClearUndo();
  const std::string before = DocumentBytes(doc);

  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->DeleteCmd(0, 8)));
  EXPECT_EQ("three\r", StoryText(doc, story));
  EXPECT_EQ((std::map<UID, int>{{a, 1}, {b, 1}, {c, 1}}), MarkerLog().deletions);
  for (UID gone : {a, b, c}) EXPECT_FALSE(doc->IsValidUID(gone));
  auto strand = StrandOf<IOwnedItemStrand>(doc, story, kOwnedItemStrandBoss);
  ASSERT_EQ(1u, strand->GetOwnedItems(0, 6).size());
  EXPECT_EQ(kept, strand->GetOwnedUID(1, kTestMarkerBoss));
  EXPECT_EQ(1, doc->UndoDepth());

  // One undo step brings back text, items and anchors.
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(before, DocumentBytes(doc));
  InterfacePtr<IOwnedItem> back(doc, b, IID_IOWNEDITEM);
  ASSERT_TRUE(back);
  EXPECT_EQ(4, back->GetTextIndex());
}

// Enough items for the strand's storage to span many blocks: each item is
// found where the strand holds it after edits before, between and over
// anchors, and after undo and redo restore the strand.
TEST_F(OwnedItems, ManyItemsAreFoundWhereTheStrandHoldsThemThroughEditsAndUndo) {
  DataBase* doc = app_->NewDocument();
  UID story = MakeStory(doc, std::string(2400, 'a'));
  std::vector<UID> items;
  for (int i = 0; i < 400; ++i) items.push_back(Anchor(doc, story, i * 6, kTestPlainMarkerBoss, "m"));
  doc->ClearUndo();
  auto strand = StrandOf<IOwnedItemStrand>(doc, story, kOwnedItemStrandBoss);
  auto agree = [&](size_t expected) {
    auto all = strand->GetOwnedItems(0, 1 << 20);
    ASSERT_EQ(expected, all.size());
    for (const OwnedItemInfo& info : all) ASSERT_EQ(info.index, strand->FindOwnedItem(info.uid));
  };
  agree(400);

  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(0, WideString("xyz"))));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(1000, WideString(std::string(700, 'b').c_str()))));
  EXPECT_EQ(15, strand->FindOwnedItem(items[2]));
  agree(400);
  // Items 10 to 59 (anchors 63 to 357 now) go with the text that held them.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->DeleteCmd(62, 300)));
  agree(350);
  EXPECT_EQ(-1, strand->FindOwnedItem(items[10]));
  EXPECT_EQ(-1, strand->FindOwnedItem(items[59]));
  EXPECT_EQ(60 * 6 + 3 - 300, strand->FindOwnedItem(items[60]));

  ASSERT_TRUE(doc->Undo());
  ASSERT_TRUE(doc->Undo());
  ASSERT_TRUE(doc->Undo());
  agree(400);
  EXPECT_EQ(399 * 6, strand->FindOwnedItem(items[399]));
  ASSERT_TRUE(doc->Redo());
  agree(400);
  EXPECT_EQ(399 * 6 + 3, strand->FindOwnedItem(items[399]));
}

TEST_F(OwnedItems, ObjectDeleteDetachesAndTheCharacterStays) {
  DataBase* doc = app_->NewDocument();
  UID story = MakeStory(doc, "ab");
  UID marker = Anchor(doc, story, 1, kTestMarkerBoss, "m");
  InterfacePtr<ICommand> remove(CmdUtils::CreateCommand(kDeleteObjectCmdBoss));
  remove->SetItemList(UIDList(doc, marker));
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(remove.get()));
  EXPECT_FALSE(doc->IsValidUID(marker));
  EXPECT_EQ("ab\r", StoryText(doc, story));
  auto strand = StrandOf<IOwnedItemStrand>(doc, story, kOwnedItemStrandBoss);
  EXPECT_TRUE(strand->GetOwnedItems(0, 3).empty());
  // Deleting the character now runs no deletion command.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->DeleteCmd(1, 1)));
  EXPECT_TRUE(MarkerLog().deletions.empty());
  // Deleting what does not exist fails.
  InterfacePtr<ICommand> again(CmdUtils::CreateCommand(kDeleteObjectCmdBoss));
  again->SetItemList(UIDList(doc, marker));
  EXPECT_EQ(kObjectNotFoundError, CmdUtils::ProcessCommand(again.get()));
}

TEST_F(OwnedItems, PasteIntoAnotherDocumentCarriesItemsThroughMementos) {
  DataBase* source = app_->NewDocument();
  UID from = MakeStory(source, "Hello world");
  Anchor(source, from, 2, kTestMarkerBoss, "intro");
  Anchor(source, from, 3, kTestPlainMarkerBoss, "stays");
  const std::string sourceBytes = DocumentBytes(source);
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(source, from), 1, 4));
  EXPECT_EQ(1, MarkerLog().mementos);  // the plain marker gave none

  DataBase* target = app_->NewDocument();
  UID to = MakeStory(target, "AB");
  target->ClearUndo();
  const std::string targetBefore = DocumentBytes(target);
  ASSERT_EQ(kSuccess, Process(CmdsOf(target, to)->PasteCmd(1)));
  EXPECT_EQ("AelloB\r", StoryText(target, to));
  auto strand = StrandOf<IOwnedItemStrand>(target, to, kOwnedItemStrandBoss);
  auto items = strand->GetOwnedItems(0, 6);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(2, items[0].index);  // index 2 of the source is 1 into the copy
  EXPECT_EQ(kTestMarkerBoss, items[0].cls);
  UID copy = items[0].uid;
  EXPECT_EQ("intro", MarkerName(target, copy));
  InterfacePtr<IOwnedItem> pasted(target, copy, IID_IOWNEDITEM);
  EXPECT_EQ(UIDRef(target, to), pasted->GetStoryRef());
  EXPECT_EQ(2, pasted->GetTextIndex());
  InterfacePtr<IUIDData> slot(target, to, IID_ITESTPENDINGSLOT);
  EXPECT_EQ(UIDRef(target, copy), slot->GetRef());
  EXPECT_EQ(1, MarkerLog().pastesFinished);
  EXPECT_EQ(sourceBytes, DocumentBytes(source));

  // The paste is one undo step of the target.
  EXPECT_EQ(1, target->UndoDepth());
  ASSERT_TRUE(target->Undo());
  EXPECT_EQ(targetBefore, DocumentBytes(target));
  EXPECT_FALSE(target->IsValidUID(copy));
}

TEST_F(OwnedItems, ClosingTheSourceLeavesTextToPasteAndNoItems) {
  DataBase* source = app_->NewDocument();
  UID from = MakeStory(source, "abc");
  Anchor(source, from, 1, kTestMarkerBoss, "m");
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(source, from), 0, 3));
  app_->CloseDocument(source);
  DataBase* target = app_->NewDocument();
  UID to = MakeStory(target, "");
  ASSERT_EQ(kSuccess, Process(CmdsOf(target, to)->PasteCmd(0)));
  EXPECT_EQ("abc\r", StoryText(target, to));
  EXPECT_TRUE(StrandOf<IOwnedItemStrand>(target, to, kOwnedItemStrandBoss)->GetOwnedItems(0, 4).empty());
  EXPECT_EQ(0, MarkerLog().pastes);
}

TEST_F(OwnedItems, PasteInTheSameStoryAndEmptyClipboard) {
  DataBase* doc = app_->NewDocument();
  UID story = MakeStory(doc, "abc");
  EXPECT_EQ(kInvalidParameterError, Process(CmdsOf(doc, story)->PasteCmd(0)));
  EXPECT_EQ(kTextRangeError, TextClipboard::Copy(UIDRef(doc, story), 2, 5));
  EXPECT_TRUE(TextClipboard::IsEmpty());
  UID marker = Anchor(doc, story, 1, kTestMarkerBoss, "m");
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc, story), 0, 2));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->PasteCmd(3)));
  EXPECT_EQ("abcab\r", StoryText(doc, story));
  auto strand = StrandOf<IOwnedItemStrand>(doc, story, kOwnedItemStrandBoss);
  EXPECT_EQ(marker, strand->GetOwnedUID(1, kTestMarkerBoss));
  UID copy = strand->GetOwnedUID(4, kTestMarkerBoss);
  EXPECT_NE(kInvalidUID, copy);
  EXPECT_NE(marker, copy);
}

// A deletion that leaves its items standing (as moving text does) takes
// their anchors; undo anchors them again where they were, redo takes them.
TEST_F(OwnedItems, UndoingADeletionAnchorsTheItemsItLeftAgain) {
  DataBase* doc = app_->NewDocument();
  UID story = MakeStory(doc, "abcdefgh");
  const UID kept = Anchor(doc, story, 3, kTestPlainMarkerBoss, "kept");
  const UID other = Anchor(doc, story, 4, kTestMarkerBoss, "other");
  doc->ClearUndo();
  auto strand = StrandOf<IOwnedItemStrand>(doc, story, kOwnedItemStrandBoss);
  const std::string before = DocumentBytes(doc);
  {
    CmdUtils::SequenceContext step(PMString("cut"));
    ASSERT_EQ(kSuccess, StoryEditor(UIDRef(doc, story)).Delete(2, 4));
  }
  EXPECT_EQ(kInvalidTextIndex, strand->FindOwnedItem(kept));
  const std::string after = DocumentBytes(doc);
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(3, strand->FindOwnedItem(kept));
  EXPECT_EQ(4, strand->FindOwnedItem(other));
  EXPECT_EQ(before, DocumentBytes(doc));
  ASSERT_TRUE(doc->Redo());
  EXPECT_EQ(kInvalidTextIndex, strand->FindOwnedItem(other));
  EXPECT_EQ(after, DocumentBytes(doc));
}
