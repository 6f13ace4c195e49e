// Hyperlinks in the host: text sources keep their range through edits,
// destinations are found by name, and the delete commands take out what
// links to what they delete, undoably.
#include "headless/database/DocumentFile.h"
#include "headless/hyperlinks/HyperlinkObjects.h"
#include "host/CmdUtils.h"
#include "host/IHyperlinks.h"
#include "host/ITextHolder.h"
#include "host/ITextHolderUtils.h"
#include "host/UtilsBoss.h"
#include "tests/support/ForgedFile.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class Hyperlinks : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    story_ = MakeStory(doc_, "0123456789abcdefghij");
    utils_ = InterfacePtr<IHyperlinkUtils>(UtilsBoss::QueryUtils<IHyperlinkUtils>());
    ASSERT_TRUE(utils_);
  }
  UIDRef Story() const { return UIDRef(doc_, story_); }
  // Runs the edit as a command, so that undo has a step.
  void Edit(ICommand* cmd) { ASSERT_EQ(kSuccess, Process(cmd)); }
  std::pair<TextIndex, int32> RangeOf(const UIDRef& source) {
    InterfacePtr<ITextHolder> range(source, IID_ITEXTHOLDER);
    return {range->GetStart(), range->GetLength()};
  }
  ErrorCode Run(ClassID cls, const UIDRef& item) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(cls));
    cmd->SetItemList(UIDList(item));
    return CmdUtils::ProcessCommand(cmd.get());
  }
  InterfacePtr<IHyperlinkList> List() const { return InterfacePtr<IHyperlinkList>(doc_, kRootUID); }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID story_ = kInvalidUID;
  InterfacePtr<IHyperlinkUtils> utils_;
};
}  // namespace

TEST_F(Hyperlinks, ASourceRangeFollowsInsertionsAndDeletions) {
  const UIDRef source = utils_->CreateTextSource(Story(), 5, 4);  // "5678"
  auto cmds = CmdsOf(doc_, story_);
  Edit(cmds->InsertCmd(5, WideString(u"..")));  // at its start: moves it
  EXPECT_EQ(std::make_pair(7, 4), RangeOf(source));
  Edit(cmds->InsertCmd(9, WideString(u"+")));  // inside: widens it
  EXPECT_EQ(std::make_pair(7, 5), RangeOf(source));
  Edit(cmds->InsertCmd(12, WideString(u"!")));  // at its end: not its text
  EXPECT_EQ(std::make_pair(7, 5), RangeOf(source));
  Edit(cmds->DeleteCmd(6, 3));  // across its start
  EXPECT_EQ(std::make_pair(6, 3), RangeOf(source));
  Edit(cmds->DeleteCmd(0, 12));  // all of it
  EXPECT_EQ(std::make_pair(0, 0), RangeOf(source));
  InterfacePtr<ITextHolderUtils> holders(UtilsBoss::QueryUtils<ITextHolderUtils>());
  EXPECT_EQ(source, holders->QueryHolderOfPosition(Story(), 0));
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(std::make_pair(5, 4), RangeOf(source));
}

TEST_F(Hyperlinks, OverlappingSourcesAndTakenNamesAreRefused) {
  ASSERT_NE(kInvalidUID, utils_->CreateTextSource(Story(), 5, 4).GetUID());
  EXPECT_EQ(kInvalidUID, utils_->CreateTextSource(Story(), 8, 4).GetUID());
  EXPECT_EQ(kInvalidUID, utils_->CreateTextSource(Story(), 5, 0).GetUID());
  EXPECT_NE(kInvalidUID, utils_->CreateTextSource(Story(), 9, 2).GetUID());
  EXPECT_EQ(kInvalidUID, utils_->CreateTextSource(Story(), 15, 7).GetUID());  // past the end
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);

  ASSERT_NE(kInvalidUID, utils_->CreateTextAnchorDestination(Story(), 2, PMString("Here")).GetUID());
  EXPECT_EQ(kInvalidUID, utils_->CreateTextAnchorDestination(Story(), 3, PMString("HERE")).GetUID());
  EXPECT_EQ(kInvalidUID, utils_->CreateTextAnchorDestination(Story(), 2, PMString("There")).GetUID());
  EXPECT_EQ(kInvalidUID, utils_->CreateTextAnchorDestination(Story(), 30, PMString("Far")).GetUID());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(1, List()->GetDestinationCount());
  EXPECT_EQ(List()->GetNthDestination(0), List()->FindDestination(PMString("here")));
  EXPECT_EQ(kInvalidUID, List()->FindDestination(PMString("There")));
}

TEST_F(Hyperlinks, DeletingADestinationTakesItsHyperlinksAndAnchorAndUndoBringsThemBack) {
  const std::string before = DocumentBytes(doc_);
  UIDRef destination, source, link;
  {
    CmdUtils::SequenceContext step{PMString("make")};
    destination = utils_->CreateTextAnchorDestination(Story(), 2, PMString("Here"));
    source = utils_->CreateTextSource(Story(), 10, 3);
    link = utils_->CreateHyperlink(source, destination, PMString("to here"), true);
  }
  ASSERT_NE(kInvalidUID, link.GetUID());
  InterfacePtr<IHyperlinkDestination> target(destination, IID_IHYPERLINKDESTINATION);
  const UID anchor = target->GetAnchorUID();
  EXPECT_EQ(2, target->GetIndex());
  // A source has one hyperlink.
  EXPECT_EQ(kInvalidUID, utils_->CreateHyperlink(source, destination, PMString("again"), true).GetUID());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  const std::string linked = DocumentBytes(doc_);

  ASSERT_EQ(kSuccess, Run(kDeleteHyperlinkDestinationCmdBoss, destination));
  EXPECT_EQ(0, List()->GetHyperlinkCount());
  EXPECT_EQ(0, List()->GetDestinationCount());
  for (UID gone : {destination.GetUID(), link.GetUID(), anchor}) EXPECT_FALSE(doc_->IsValidUID(gone));
  InterfacePtr<IHyperlinkTextSource> text(source, IID_IHYPERLINKTEXTSOURCE);
  EXPECT_EQ(kInvalidUID, text->GetHyperlinkUID());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(linked, DocumentBytes(doc_));

  ASSERT_EQ(kSuccess, Run(kDeleteHyperlinkTextSourceCmdBoss, source));
  EXPECT_EQ(0, List()->GetHyperlinkCount());
  EXPECT_EQ(1, List()->GetDestinationCount());
  InterfacePtr<ITextHolderList> holders(doc_, kRootUID);
  EXPECT_EQ(0, holders->GetHolderCount());
  ASSERT_TRUE(doc_->Undo());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_NE(kSuccess, Run(kDeleteHyperlinkCmdBoss, UIDRef(doc_, story_)));
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

TEST_F(Hyperlinks, DeletingADestinationsCharacterDeletesTheDestinationAndItsHyperlinks) {
  const UIDRef destination = utils_->CreateTextAnchorDestination(Story(), 4, PMString("Here"));
  const UIDRef link = utils_->CreateHyperlink(utils_->CreateTextSource(Story(), 10, 2), destination, PMString(), false);
  ASSERT_NE(kInvalidUID, link.GetUID());
  Edit(CmdsOf(doc_, story_)->DeleteCmd(0, 2));
  EXPECT_EQ(2, InterfacePtr<IHyperlinkDestination>(destination, IID_IHYPERLINKDESTINATION)->GetIndex());
  Edit(CmdsOf(doc_, story_)->DeleteCmd(1, 3));
  EXPECT_FALSE(doc_->IsValidUID(destination.GetUID()));
  EXPECT_FALSE(doc_->IsValidUID(link.GetUID()));
  EXPECT_EQ(0, List()->GetDestinationCount());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(2, InterfacePtr<IHyperlinkDestination>(destination, IID_IHYPERLINKDESTINATION)->GetIndex());
  EXPECT_EQ(1, List()->GetHyperlinkCount());
}

// A range forged to end past the int32 limit: an insertion before it leaves
// it where it is (further would overflow), a deletion moves it back.
TEST_F(Hyperlinks, ARangeForgedToEndPastTheIntegerLimitFollowsEdits) {
  const UIDRef source = utils_->CreateTextSource(Story(), 5, 4);
  ForgedFile forged = ForgedFile::From(DocumentFile::Serialize(*doc_, DocumentFile::kDocument));
  const int record = forged.Impl(source.GetUID(), kHyperlinkSourceRangeImpl);
  forged.Set(record, 17, 0x7FFFFFF0);
  forged.Set(record, 21, 0x20);
  std::string error;
  auto db = DocumentFile::Deserialize(forged.Bytes(), DocumentFile::kDocument, "forged", &error);
  ASSERT_NE(nullptr, db) << error;
  auto cmds = CmdsOf(db.get(), story_);
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(0, WideString(u"ab"))));
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(0, 12)));
  InterfacePtr<ITextHolder> range(db.get(), source.GetUID(), IID_ITEXTHOLDER);
  EXPECT_EQ(std::make_pair(0x7FFFFFF0 - 12, 0x20), std::make_pair(range->GetStart(), range->GetLength()));
}
