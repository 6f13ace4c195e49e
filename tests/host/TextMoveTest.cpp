// Moving text: the text and its attributes go to the destination, owned
// items keep their identity through their mementos' move operations, one
// undo step restores the bytes, and bad destinations change nothing.
#include "headless/text/TextClipboard.h"
#include "host/IHyperlinks.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/IStoryLock.h"
#include "host/ITextAttributes.h"
#include "host/StandardDataInterfaces.h"
#include "host/ITextHolder.h"
#include "host/TextAttr.h"
#include "host/UtilsBoss.h"
#include "host/CreateObject.h"
#include "host/ICharAttrStrand.h"
#include "host/ITextAttrUID.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestAttrReport.h"
#include "tests/support/TestOwnedItems.h"
#include "tests/support/TextTestSupport.h"

namespace {
class TextMove : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestOwnedItems();
    MarkerLog().Clear();
    TextClipboard::Clear();
    doc_ = app_->NewDocument();
  }
  void TearDown() override { TextClipboard::Clear(); }

  UID Anchor(UID story, TextIndex at, ClassID cls, const char* name) {
    UID marker = NewTestMarker(doc_, cls, name);
    InterfacePtr<ICommand> attach(CmdUtils::CreateCommand(kAttachOwnedItemCmdBoss));
    attach->SetItemList(UIDList(doc_, story));
    InterfacePtr<IUIDData>(attach, IID_IUIDDATA)->Set(UIDRef(doc_, marker));
    InterfacePtr<IIntData>(attach, IID_IINTDATA)->Set(at);
    InterfacePtr<IClassIDData>(attach, IID_ICLASSIDDATA)->Set(cls);
    EXPECT_EQ(kSuccess, CmdUtils::ProcessCommand(attach.get()));
    return marker;
  }
  ErrorCode Move(UID from, TextIndex start, int32 length, UID to, TextIndex at) {
    return Process(CmdsOf(doc_, from)->MoveCmd(start, length, to, at));
  }
  TextIndex IndexOf(UID item) const {
    InterfacePtr<IOwnedItem> owned(doc_, item, IID_IOWNEDITEM);
    return owned ? owned->GetTextIndex() : -2;
  }
  UIDRef StoryOf(UID item) const {
    InterfacePtr<IOwnedItem> owned(doc_, item, IID_IOWNEDITEM);
    return owned ? owned->GetStoryRef() : UIDRef();
  }
  int32 Underline(UID story, TextIndex at) const {
    InterfacePtr<ITextAttributes> attrs(doc_, story, IID_ITEXTATTRIBUTES);
    const AttributeBossList resolved = attrs->GetResolvedAttributes(at);
    const TextAttribute* a = resolved.Find(kTextAttrUnderlineBoss);
    return a ? a->intValue : -1;
  }
  std::vector<OwnedItemInfo> ItemsOf(UID story) const {
    return StrandOf<IOwnedItemStrand>(doc_, story, kOwnedItemStrandBoss)->GetOwnedItems(0, 1 << 20);
  }

  TestApp app_;
  DataBase* doc_ = nullptr;
};
}  // namespace

TEST_F(TextMove, ForwardInOneStoryCarriesTextAttributesAndTheSameItems) {
  UID story = MakeStory(doc_, "One\rTwo\rThree");
  UID marker = Anchor(story, 1, kTestMarkerBoss, "m");
  UID plain = Anchor(story, 2, kTestPlainMarkerBoss, "p");
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story)->ApplyCmd(0, 2, [] {
    AttributeBossList list;
    list.ApplyAttribute(TextAttr::Underline(true));
    return list;
  }())));
  // "One\r" goes before "Three"; the index counts in the text before the move.
  ASSERT_EQ(kSuccess, Move(story, 0, 4, story, 8));
  EXPECT_EQ("Two\rOne\rThree\r", StoryText(doc_, story));
  EXPECT_EQ(5, IndexOf(marker));
  EXPECT_EQ(6, IndexOf(plain));  // an item without a memento goes along as it is
  EXPECT_EQ("m", MarkerName(doc_, marker));
  EXPECT_EQ(1, Underline(story, 4));
  EXPECT_EQ(1, Underline(story, 5));
  EXPECT_NE(1, Underline(story, 6));
  EXPECT_NE(1, Underline(story, 0));
  EXPECT_EQ(2u, ItemsOf(story).size());
  // Nothing was deleted or copied: the memento pasted the marker back.
  EXPECT_TRUE(MarkerLog().deletions.empty());
  EXPECT_EQ(1, MarkerLog().mementos);
  EXPECT_EQ(1, MarkerLog().pastes);
  EXPECT_EQ(1, MarkerLog().pastesFinished);
  EXPECT_EQ(2, MarkerLog().moved);
}

TEST_F(TextMove, BackwardInOneStoryAndIntoAnotherStory) {
  UID story = MakeStory(doc_, "One\rTwo\rThree");
  UID other = MakeStory(doc_, "Elsewhere");
  UID marker = Anchor(story, 9, kTestMarkerBoss, "m");
  ASSERT_EQ(kSuccess, Move(story, 8, 5, story, 4));  // "Three" before "Two"
  EXPECT_EQ("One\rThreeTwo\r\r", StoryText(doc_, story));
  EXPECT_EQ(5, IndexOf(marker));

  ASSERT_EQ(kSuccess, Move(story, 4, 5, other, 4));
  EXPECT_EQ("One\rTwo\r\r", StoryText(doc_, story));
  EXPECT_EQ("ElseThreewhere\r", StoryText(doc_, other));
  EXPECT_EQ(UIDRef(doc_, other), StoryOf(marker));
  EXPECT_EQ(5, IndexOf(marker));
  EXPECT_TRUE(ItemsOf(story).empty());
  EXPECT_TRUE(MarkerLog().deletions.empty());
}

TEST_F(TextMove, OneUndoStepRestoresTheBytesAndRedoMovesAgain) {
  UID story = MakeStory(doc_, "One\rTwo\rThree");
  UID other = MakeStory(doc_, "Elsewhere");
  UID marker = Anchor(story, 5, kTestMarkerBoss, "m");
  doc_->ClearUndo();
  const std::string before = DocumentBytes(doc_);
  ASSERT_EQ(kSuccess, Move(story, 4, 4, other, 0));
  const std::string after = DocumentBytes(doc_);
  EXPECT_EQ(1, doc_->UndoDepth());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_TRUE(before == DocumentBytes(doc_));
  EXPECT_EQ(UIDRef(doc_, story), StoryOf(marker));
  EXPECT_EQ(5, IndexOf(marker));
  ASSERT_TRUE(doc_->Redo());
  EXPECT_TRUE(after == DocumentBytes(doc_));
  EXPECT_EQ(UIDRef(doc_, other), StoryOf(marker));
  EXPECT_EQ(1, IndexOf(marker));
}

TEST_F(TextMove, BadMovesAreRefusedAndChangeNothing) {
  UID story = MakeStory(doc_, "One\rTwo\rThree");
  UID other = MakeStory(doc_, "Elsewhere");
  UID marker = Anchor(story, 5, kTestMarkerBoss, "m");
  DataBase* second = app_->NewDocument();
  UID foreign = MakeStory(second, "Foreign");
  UID pair = MakeStory(doc_, "a\xF0\x9F\x98\x80" "b");  // a surrogate pair at 1 and 2
  doc_->ClearUndo();
  const std::string before = DocumentBytes(doc_);

  // Into itself: every index strictly inside the range.
  for (TextIndex at = 5; at < 8; ++at) EXPECT_EQ(kMoveIntoItselfError, Move(story, 4, 4, story, at)) << at;
  EXPECT_EQ(kTextRangeError, Move(story, 8, 6, other, 0));    // takes the story's final return
  EXPECT_EQ(kTextRangeError, Move(story, 4, 0, other, 0));    // nothing to move
  EXPECT_EQ(kTextRangeError, Move(story, 4, 4, other, 10));   // past the destination's final return
  EXPECT_EQ(kTextRangeError, Move(story, -1, 4, other, 0));
  // A story of another document: the command is given its reference.
  InterfacePtr<ICommand> away(CmdsOf(doc_, story)->MoveCmd(4, 4, other, 0));
  InterfacePtr<IUIDData>(away, IID_IUIDDATA)->Set(UIDRef(second, foreign));
  EXPECT_EQ(kInvalidParameterError, CmdUtils::ProcessCommand(away.get()));
  EXPECT_EQ(kInvalidParameterError, TextClipboard::Move(UIDRef(doc_, story), 4, 4, UIDRef(second, foreign), 0));
  EXPECT_EQ(kInvalidParameterError, Process(CmdsOf(doc_, story)->MoveCmd(4, 4, kInvalidUID, 0)));
  EXPECT_EQ(kTextRangeError, Move(pair, 2, 1, other, 0));
  EXPECT_EQ(kTextRangeError, Move(pair, 0, 2, other, 0));
  EXPECT_EQ(kTextRangeError, Move(story, 0, 3, pair, 2));
  InterfacePtr<IStoryLock>(doc_, other, IID_ISTORYLOCK)->SetLocked(true);
  EXPECT_EQ(kStoryLockedError, Move(story, 4, 4, other, 0));
  InterfacePtr<IStoryLock>(doc_, other, IID_ISTORYLOCK)->SetLocked(false);
  EXPECT_TRUE(before == DocumentBytes(doc_));
  EXPECT_EQ(0, doc_->UndoDepth());
  EXPECT_EQ(0, MarkerLog().mementos);

  // Either end of the range is outside it: the text stays as it was.
  ASSERT_EQ(kSuccess, Move(story, 4, 4, story, 4));
  EXPECT_EQ(5, IndexOf(marker));
  ASSERT_EQ(kSuccess, Move(story, 4, 4, story, 8));
  EXPECT_EQ("One\rTwo\rThree\r", StoryText(doc_, story));
  EXPECT_EQ(5, IndexOf(marker));
}

TEST_F(TextMove, AnItemWhosePasteFailsStaysBehindAndItsMoveCommandsRemoveIt) {
  UID story = MakeStory(doc_, "One\rTwo\rThree");
  UID refused = Anchor(story, 5, kTestMarkerBoss, "refused");
  UID plain = Anchor(story, 6, kTestPlainMarkerBoss, "plain");
  MarkerLog().refuseMoves = true;
  ASSERT_EQ(kSuccess, Move(story, 4, 4, story, 13));
  EXPECT_EQ("One\rThreeTwo\r\r", StoryText(doc_, story));
  // Its memento's commands for the old range ran: the item is gone, not left unanchored.
  EXPECT_FALSE(doc_->IsValidUID(refused));
  EXPECT_EQ(0, MarkerLog().pastesFinished);
  EXPECT_EQ(11, IndexOf(plain));
  ASSERT_EQ(1u, ItemsOf(story).size());
  EXPECT_EQ(plain, ItemsOf(story)[0].uid);
  // Undone, it is back where it was.
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(5, IndexOf(refused));
}

TEST_F(TextMove, TheClipboardKeepsWhatWasCopied) {
  UID story = MakeStory(doc_, "One\rTwo\rThree");
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story), 0, 3));
  ASSERT_EQ(kSuccess, Move(story, 4, 4, story, 0));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story)->PasteCmd(0)));
  EXPECT_EQ("OneTwo\rOne\rThree\r", StoryText(doc_, story));
}

TEST_F(TextMove, TextHoldersInsideTheRangeFollowItAndOnesOverlappingItShrink) {
  UID story = MakeStory(doc_, "One link\rTwo\rThree");
  UID other = MakeStory(doc_, "Elsewhere");
  InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  const UIDRef inside = utils->CreateTextSource(UIDRef(doc_, story), 4, 3);  // "lin"
  const UIDRef across = utils->CreateTextSource(UIDRef(doc_, story), 7, 3);  // "k\rT"
  ASSERT_NE(kInvalidUID, inside.GetUID());
  ASSERT_NE(kInvalidUID, across.GetUID());
  auto range = [&](const UIDRef& holder) {
    InterfacePtr<ITextHolder> h(holder, IID_ITEXTHOLDER);
    return std::make_tuple(h->GetStoryUID(), h->GetStart(), h->GetLength());
  };
  // "One link\r" behind "Three" in the same story: "Two\rOne link\rThree\r".
  ASSERT_EQ(kSuccess, Move(story, 0, 9, story, 13));
  EXPECT_EQ(std::make_tuple(story, 8, 3), range(inside));
  EXPECT_EQ(std::make_tuple(story, 0, 1), range(across));  // keeps the "T" that stayed
  // Into another story, and back again with undo.
  ASSERT_EQ(kSuccess, Move(story, 4, 9, other, 4));
  EXPECT_EQ("ElseOne link\rwhere\r", StoryText(doc_, other));
  EXPECT_EQ(std::make_tuple(other, 8, 3), range(inside));
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(std::make_tuple(story, 8, 3), range(inside));
}

TEST_F(TextMove, AttributesThatCopiesLeaveBehindMoveWithTheirText) {
  RegisterTestAttrReport();
  UID story = MakeStory(doc_, "One\rTwo\rThree");
  InterfacePtr<ITextAttrUID> tag(CreateObject<ITextAttrUID>(kTestUncopiedAttrBoss));
  ASSERT_TRUE(tag);
  tag->Set(story);
  AttributeBossList list;
  list.ApplyAttribute(tag->ToAttribute());
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story)->ApplyCmd(4, 3, list)));
  auto tagAt = [&](TextIndex at) {
    TextAttribute a;
    auto chars = StrandOf<ICharAttrStrand>(doc_, story, kCharAttrStrandBoss);
    return chars->GetOverride(at, kTestUncopiedAttrBoss, &a) ? TextAttr::AsUID(a) : kInvalidUID;
  };
  // A copy pasted leaves it behind ...
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story), 4, 3));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story)->PasteCmd(0)));
  EXPECT_EQ(kInvalidUID, tagAt(0));
  ASSERT_TRUE(doc_->Undo());
  // ... moved text keeps it.
  ASSERT_EQ(kSuccess, Move(story, 4, 4, story, 0));
  EXPECT_EQ("Two\rOne\rThree\r", StoryText(doc_, story));
  EXPECT_EQ(story, tagAt(0));
  EXPECT_EQ(story, tagAt(2));
  EXPECT_EQ(kInvalidUID, tagAt(3));
}

TEST_F(TextMove, AHolderThatBeginsOrEndsWithTheMovedParagraphGoesAlongWhole) {
  UID story = MakeStory(doc_, "Link one\rTwo\rThree");
  InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  const UIDRef first = utils->CreateTextSource(UIDRef(doc_, story), 0, 4);  // "Link"
  auto range = [&](const UIDRef& holder) {
    InterfacePtr<ITextHolder> h(holder, IID_ITEXTHOLDER);
    return std::make_tuple(h->GetStoryUID(), h->GetStart(), h->GetLength());
  };
  ASSERT_EQ(kSuccess, Move(story, 0, 9, story, 13));
  EXPECT_EQ("Two\rLink one\rThree\r", StoryText(doc_, story));
  EXPECT_EQ(std::make_tuple(story, 4, 4), range(first));
  // One that is the whole paragraph, its return included.
  const UIDRef whole = utils->CreateTextSource(UIDRef(doc_, story), 0, 4);  // "Two\r"
  ASSERT_NE(kInvalidUID, whole.GetUID());
  ASSERT_EQ(kSuccess, Move(story, 0, 4, story, 13));
  EXPECT_EQ("Link one\rTwo\rThree\r", StoryText(doc_, story));
  EXPECT_EQ(std::make_tuple(story, 9, 4), range(whole));
  EXPECT_EQ(std::make_tuple(story, 0, 4), range(first));
}
