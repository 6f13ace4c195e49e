// Failures injected into command processing: the armed class fails before
// doing anything, as often as asked, and nothing else is touched.
#include "headless/commands/CommandFaults.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
constexpr ErrorCode kInjected{0x143FF};

class CommandFaultsTest : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    story_ = MakeStory(doc_, "abc");
    doc_->ClearUndo();
  }
  void TearDown() override { CommandFaults::ClearAll(); }
  ErrorCode Insert() { return Process(CmdsOf(doc_, story_)->InsertCmd(0, WideString("x"))); }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID story_ = kInvalidUID;
};
}  // namespace

TEST_F(CommandFaultsTest, TheArmedClassFailsAsOftenAsAskedBeforeDoingAnything) {
  CommandFaults::FailNext(kInsertTextCmdBoss, 2, kInjected);
  const std::string before = DocumentBytes(doc_);
  EXPECT_EQ(kInjected, Insert());
  EXPECT_EQ(kInjected, ErrorUtils::PMGetGlobalErrorCode());
  EXPECT_EQ(1, CommandFaults::Remaining(kInsertTextCmdBoss));
  // Other classes go through meanwhile.
  EXPECT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(0, 1)));
  EXPECT_EQ(kInjected, Insert());
  EXPECT_EQ("bc\r", StoryText(doc_, story_));
  EXPECT_EQ(1, doc_->UndoDepth());  // the deletion's step only
  EXPECT_EQ(0, CommandFaults::Remaining(kInsertTextCmdBoss));
  EXPECT_EQ(kSuccess, Insert());
  EXPECT_EQ("xbc\r", StoryText(doc_, story_));
  ASSERT_TRUE(doc_->Undo());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_TRUE(before == DocumentBytes(doc_));
}

TEST_F(CommandFaultsTest, ArmingAgainReplacesAndZeroOrClearingDisarms) {
  CommandFaults::FailNext(kInsertTextCmdBoss, 5, kInjected);
  CommandFaults::FailNext(kInsertTextCmdBoss, 1, kFailure);
  EXPECT_EQ(1, CommandFaults::Remaining(kInsertTextCmdBoss));
  EXPECT_EQ(kFailure, Insert());
  EXPECT_EQ(kSuccess, Insert());

  CommandFaults::FailNext(kInsertTextCmdBoss, 3, kInjected);
  CommandFaults::FailNext(kInsertTextCmdBoss, 0, kInjected);
  EXPECT_EQ(kSuccess, Insert());
  CommandFaults::FailNext(kInsertTextCmdBoss, 3, kInjected);
  CommandFaults::FailNext(kDeleteTextCmdBoss, 3, kInjected);
  CommandFaults::ClearAll();
  EXPECT_EQ(0, CommandFaults::Remaining(kDeleteTextCmdBoss));
  EXPECT_EQ(kSuccess, Insert());
  EXPECT_EQ("xxxabc\r", StoryText(doc_, story_));
}
