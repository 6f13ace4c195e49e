// The format commands: adding keeps the list sorted, modifying renames and
// recomposes exactly the cross-references of the format, deleting leaves
// them their text and the mark-up as their own.
#include "commands/XRefCommandID.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/objects/Clock.h"
#include "host/CmdUtils.h"
#include "host/ISession.h"
#include "host/ITextModelCmds.h"
#include "host/StandardDataInterfaces.h"
#include "host/ISubject.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/FormatTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class FormatCommands : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    workspace_ = DocWorkspace(doc_);
    source_ = MakeStory(doc_, "Introduction\rBody text");
    story_ = MakeStory(doc_, "One two three four five six seven");
    LayoutBuilder layout(doc_);
    layout.AddSpread(1);
    layout.AddTextFrame(layout.PageUID(0), source_, 40, 5);
    layout.AddTextFrame(layout.PageUID(0), story_, 40, 5, 0, 200);
    InsertMarker(doc_, source_, 0, "Intro");
    ASSERT_EQ(kSuccess, AddFormat(workspace_, "Plain", "<paratext/>"));
    ASSERT_EQ(kSuccess, AddFormat(workspace_, "Other", "<paratext/>"));
  }

  UID Insert(TextIndex start, const std::string& formatName) {
    CrossRefRequest r;
    r.start = start;
    r.length = 0;
    r.marker = "Intro";
    r.formatName = formatName;
    r.format = FormatsOf(workspace_)->GetFormatString(Index(formatName)).GetUTF8String();
    return InsertCrossRef(doc_, story_, r);
  }

  int32 Index(const std::string& name) { return FormatsOf(workspace_)->FindFormat(PMString(name.c_str())); }

  // How many update commands the application heard while `action` ran.
  template <typename Action>
  int32 UpdatesDuring(Action action) {
    RecordingObserver observer;
    InterfacePtr<ISubject> subject(GetExecutionContextSession(), IID_ISUBJECT);
    subject->AttachObserver(observer.Object(), IID_IXREFCROSSREF);
    action();
    subject->DetachObserver(observer.Object(), IID_IXREFCROSSREF);
    int32 updates = 0;
    for (const HeardChange& h : observer.Heard()) updates += h.change == kXRefUpdateCrossRefCmdBoss;
    return updates;
  }

  VirtualClock clock_;
  TestApp app_{&clock_};
  DataBase* doc_ = nullptr;
  UIDRef workspace_;
  UID source_ = kInvalidUID, story_ = kInvalidUID;
};
}  // namespace

TEST_F(FormatCommands, AddingSortsByNameInOneNamedUndoStep) {
  const int32 depth = doc_->UndoDepth();
  ASSERT_EQ(kSuccess, AddFormat(workspace_, "Middle", "m"));
  EXPECT_EQ(depth + 1, doc_->UndoDepth());
  EXPECT_EQ("QX#0xF2C#kXRefAddFormatCmdKey", doc_->UndoName());
  auto formats = FormatsOf(workspace_);
  EXPECT_LT(Index("Middle"), Index("Other"));
  EXPECT_LT(Index("Other"), Index("Plain"));
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(-1, Index("Middle"));
}

TEST_F(FormatCommands, ModifyingRenamesAndRecomposesExactlyTheUsersInOneUpdate) {
  // Inserted from the end, so that none lands inside another's text.
  const UID other = Insert(24, "Other"), a = Insert(8, "Plain"), b = Insert(0, "Plain");
  ASSERT_NE(kInvalidUID, a);
  ASSERT_NE(kInvalidUID, b);
  ASSERT_NE(kInvalidUID, other);
  const GlobalTime composed = CrossRef(doc_, other)->GetUpdateTime();
  clock_.Advance(60000);
  int32 index = Index("Plain");
  EXPECT_EQ(1, UpdatesDuring([&] {
    EXPECT_EQ(kSuccess, ModifyFormat(workspace_, &index, "Aardvark", "See <paratext/>"));
  }));
  // The index parameter reports the new sorted place.
  EXPECT_EQ(Index("Aardvark"), index);
  EXPECT_EQ(0, index);
  EXPECT_EQ(-1, Index("Plain"));
  for (UID x : {a, b}) {
    EXPECT_EQ("Aardvark", CrossRef(doc_, x)->GetFormatName().GetUTF8String());
    EXPECT_EQ("See <paratext/>", CrossRef(doc_, x)->GetFormatString().GetUTF8String());
    EXPECT_EQ("See Introduction", CurrentText(doc_, x));
    EXPECT_GT(CrossRef(doc_, x)->GetUpdateTime().GetTime(), composed.GetTime());
  }
  EXPECT_EQ("Other", CrossRef(doc_, other)->GetFormatName().GetUTF8String());
  EXPECT_EQ(composed.GetTime(), CrossRef(doc_, other)->GetUpdateTime().GetTime());
  EXPECT_EQ("Introduction", CurrentText(doc_, other));
  // The lookups follow the rename, so a second change finds the users again.
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefsByFormat(PMString("aardvark")).Length());
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefsByFormat(PMString("Plain")).Length());

  // One undo step restores the list, the names and the text.
  EXPECT_EQ("QX#0xF2C#kXRefModifyFormatCmdKey", doc_->UndoName());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_NE(-1, Index("Plain"));
  EXPECT_EQ("Plain", CrossRef(doc_, a)->GetFormatName().GetUTF8String());
  EXPECT_EQ("Introduction", CurrentText(doc_, a));
}

TEST_F(FormatCommands, ModifyingAFormatNobodyUsesRunsNoUpdate) {
  Insert(4, "Other");
  int32 index = Index("Plain");
  EXPECT_EQ(0, UpdatesDuring([&] { ModifyFormat(workspace_, &index, "Zebra", "<pagenum/>"); }));
  EXPECT_EQ(Index("Zebra"), index);
  EXPECT_EQ(FormatsOf(workspace_)->GetFormatCount() - 1, index);
  EXPECT_EQ("<pagenum/>", FormatsOf(workspace_)->GetFormatString(index).GetUTF8String());
}

TEST_F(FormatCommands, AnIndexOutsideTheListChangesNothing) {
  Insert(4, "Plain");
  const std::string before = DocumentBytes(doc_);
  for (int32 bad : {-1, FormatsOf(workspace_)->GetFormatCount()}) {
    int32 index = bad;
    EXPECT_EQ(kSuccess, ModifyFormat(workspace_, &index, "X", "x"));
    EXPECT_EQ(bad, index);
    EXPECT_EQ(kSuccess, DeleteFormat(workspace_, bad));
  }
  EXPECT_EQ(before, DocumentBytes(doc_));
  // Two workspaces are not one.
  UIDList two(workspace_);
  two.Append(workspace_.GetUID());
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefDeleteFormatCmdBoss));
  cmd->SetItemList(two);
  InterfacePtr<IIntData>(cmd.get(), IID_IINTDATA)->Set(0);
  EXPECT_EQ(kInvalidParameterError, CmdUtils::ProcessCommand(cmd.get()));
  EXPECT_EQ(before, DocumentBytes(doc_));
}

TEST_F(FormatCommands, DeletingAUsedFormatLeavesItsUsersTheMarkupAndTheirText) {
  const UID other = Insert(8, "Other"), x = Insert(4, "Plain");
  // The source changes, so a recomposition would show.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"New "))));
  EXPECT_EQ(0, UpdatesDuring([&] { EXPECT_EQ(kSuccess, DeleteFormat(workspace_, Index("Plain"))); }));
  EXPECT_EQ(-1, Index("Plain"));
  EXPECT_EQ("QX#0xF2C#kXRefDeleteFormatCmdKey", doc_->UndoName());
  EXPECT_EQ("", CrossRef(doc_, x)->GetFormatName().GetUTF8String());
  EXPECT_EQ("<paratext/>", CrossRef(doc_, x)->GetFormatString().GetUTF8String());
  EXPECT_EQ("Introduction", CurrentText(doc_, x));
  EXPECT_EQ("Other", CrossRef(doc_, other)->GetFormatName().GetUTF8String());
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefsByFormat(PMString("Plain")).Length());
}
