// The update command's cancel rules and blocking, the live-update switch,
// deleting and removing, the wiring commands' edge cases, and the formats.
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/IOwnedItemStrand.h"
#include "host/IScriptUtils.h"
#include "host/ISession.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "model/IXRefFormats.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class CrossRefCommands : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    source_ = MakeStory(doc_, "Top");
    InsertMarker(doc_, source_, 0, "Top");
    story_ = MakeStory(doc_, "");
    for (int i = 0; i < 3; ++i) {
      CrossRefRequest r;
      r.marker = "Top";
      crossRefs_.Append(InsertCrossRef(doc_, story_, r));
    }
    crossRefs_.SetDataBase(doc_);
    app_->Alerts().Clear();
  }
  void TearDown() override { app_->Alerts().CancelProgressAt(-1); }

  InterfacePtr<IBoolData> LiveUpdates() const {
    return InterfacePtr<IBoolData>(GetExecutionContextSession()->GetActiveContext()->GetContextWorkspaceRef(),
                                   IID_IXREFLIVEUPDATES);
  }
  ErrorCode SwitchLiveUpdates(bool on) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefEnableLiveUpdatesCmdBoss));
    cmd->SetItemList(UIDList(GetExecutionContextSession()->GetActiveContext()->GetContextWorkspaceRef()));
    InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(on);
    return CmdUtils::ProcessCommand(cmd.get());
  }
  // Makes every cross-reference out of date, so that an update changes it.
  void RenameSource() { ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"X")))); }
  int32 Updated() {
    int32 n = 0;
    for (UID uid : crossRefs_.Items()) n += CurrentText(doc_, uid) == "XTop" ? 1 : 0;
    return n;
  }
  int32 Warnings() {
    int32 n = 0;
    for (auto& shown : app_->Alerts().History()) n += shown.kind == "warning";
    return n;
  }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID source_ = kInvalidUID, story_ = kInvalidUID;
  UIDList crossRefs_;
};
}  // namespace

TEST_F(CrossRefCommands, UpdatingNothingDoesNothing) {
  const int32 depth = doc_->UndoDepth();
  EXPECT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_)));
  EXPECT_EQ(depth, doc_->UndoDepth());
}

TEST_F(CrossRefCommands, ACancelByTheUserStopsAfterTheCurrentItemAndKeepsLiveUpdates) {
  ASSERT_EQ(kSuccess, SwitchLiveUpdates(true));
  RenameSource();
  app_->Alerts().CancelProgressAt(1);
  ASSERT_EQ(kSuccess, UpdateCrossRefs(crossRefs_));
  EXPECT_EQ(1, Updated());
  EXPECT_TRUE(LiveUpdates()->Get());
  EXPECT_EQ(0, Warnings());
}

TEST_F(CrossRefCommands, ACancelledLiveUpdateSwitchesLiveUpdatesOffAndWarnsOnce) {
  ASSERT_EQ(kSuccess, SwitchLiveUpdates(true));
  RenameSource();
  app_->Alerts().CancelProgressAt(2);
  ASSERT_EQ(kSuccess, UpdateCrossRefs(crossRefs_, true));
  EXPECT_EQ(2, Updated());
  EXPECT_FALSE(LiveUpdates()->Get());
  EXPECT_EQ(1, Warnings());
  // Already off: no second warning.
  ASSERT_EQ(kSuccess, UpdateCrossRefs(crossRefs_, true));
  EXPECT_EQ(1, Warnings());
}

TEST_F(CrossRefCommands, NoUpdateRunsWhileAScriptHoldsUpdates) {
  RenameSource();
  InterfacePtr<IScriptUtils> script(UtilsBoss::QueryUtils<IScriptUtils>());
  script->HoldUpdates();
  EXPECT_EQ(kSuccess, UpdateCrossRefs(crossRefs_));
  EXPECT_EQ(0, Updated());
  script->ReleaseUpdates();
  EXPECT_EQ(kSuccess, UpdateCrossRefs(crossRefs_));
  EXPECT_EQ(3, Updated());
}

TEST_F(CrossRefCommands, TheLiveUpdateSwitchIsNamedAfterItsFlag) {
  ASSERT_EQ(kSuccess, SwitchLiveUpdates(false));
  EXPECT_FALSE(LiveUpdates()->Get());
  ASSERT_EQ(kSuccess, SwitchLiveUpdates(true));
  EXPECT_TRUE(LiveUpdates()->Get());
  // The document's workspace carries a preference of its own.
  InterfacePtr<IDocument> document(doc_, kRootUID);
  EXPECT_TRUE(InterfacePtr<IBoolData>(document->GetDocWorkspace(), IID_IXREFLIVEUPDATES));
}

TEST_F(CrossRefCommands, DeletingTakesTheObjectOutOfTheListAndLeavesTheText) {
  const std::string text = StoryText(doc_, story_);
  ASSERT_EQ(kSuccess, RunOn(kXRefDeleteCrossRefCmdBoss, crossRefs_.GetRef(0)));
  EXPECT_FALSE(doc_->IsValidUID(crossRefs_.At(0)));
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_EQ(text, StoryText(doc_, story_));
  EXPECT_EQ("QX#0xF2C#kXRefDeleteCrossRefCmdKey", doc_->UndoName());
  // Only cross-references are deleted.
  EXPECT_EQ(kObjectNotFoundError, RunOn(kXRefDeleteCrossRefCmdBoss, UIDRef(doc_, story_)));
  EXPECT_TRUE(doc_->IsValidUID(story_));
  // Adding one already listed changes nothing.
  ASSERT_EQ(kSuccess, RunOn(kXRefAddCrossRefCmdBoss, crossRefs_.GetRef(1)));
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefCount());
}

TEST_F(CrossRefCommands, SettingNoOwnedItemDetachesItAndKeepsTheCharacter) {
  auto x = CrossRef(doc_, crossRefs_.At(0));
  const TextIndex at = x->GetStartIndex() - 1;
  const std::string text = StoryText(doc_, story_);
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefSetOwnedItemCmdBoss));
  cmd->SetItemList(UIDList(doc_, story_));
  InterfacePtr<IIntData>(cmd.get(), IID_IINTDATA)->Set(at);
  InterfacePtr<IClassIDData>(cmd.get(), IID_ICLASSIDDATA)->Set(kXRefCrossRefStartMarkerBoss);
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(cmd.get()));
  EXPECT_EQ(kInvalidUID, StrandOf<IOwnedItemStrand>(doc_, story_, kOwnedItemStrandBoss)
                             ->GetOwnedUID(at, kXRefCrossRefStartMarkerBoss));
  EXPECT_EQ(text, StoryText(doc_, story_));
}

TEST_F(CrossRefCommands, RenamingAMarkerWithItsReferencesRenamesTheLocalOnes) {
  const UID marker = MarkerList(doc_)->GetMarkerUID(0);
  ASSERT_EQ(kSuccess, RenameMarker(doc_, marker, "Summit", true));
  for (UID uid : crossRefs_.Items())
    EXPECT_EQ("Summit", CrossRef(doc_, uid)->GetSourceMarkerName().GetUTF8String());
  EXPECT_EQ(3, static_cast<int32>(CrossRefList(doc_)->GetCrossRefsBySourceMarker(PMString("summit")).Length()));
}

TEST(XRefFormatList, FindsIgnoringCaseSortsOnAddAndMakesUniqueNames) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  InterfacePtr<IDocument> document(doc, kRootUID);
  InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace());
  ASSERT_TRUE(formats);
  while (formats->GetFormatCount() > 0) formats->RemoveFormat(0);
  for (const char* name : {"b", "a", "c"}) formats->AddFormat(PMString(name), PMString("<pagenum/>"));
  EXPECT_EQ("a", formats->GetFormatName(0).GetUTF8String());
  EXPECT_EQ("c", formats->GetFormatName(2).GetUTF8String());
  formats->ModifyFormat(2, PMString("0"), PMString("x"));
  EXPECT_EQ("0", formats->GetFormatName(2).GetUTF8String());
  formats->AddFormat(PMString("d"), PMString("y"));
  EXPECT_EQ("0", formats->GetFormatName(0).GetUTF8String());
  EXPECT_EQ(1, formats->FindFormat(PMString("A")));
  EXPECT_EQ("", formats->GetFormatName(4).GetUTF8String());
  EXPECT_EQ("", formats->GetFormatString(-1).GetUTF8String());

  formats->AddFormat(PMString("Page"), PMString(""));
  formats->AddFormat(PMString("Page (2)"), PMString(""));
  EXPECT_EQ("Page (3)", formats->GetUniqueFormatName(PMString("Page")).GetUTF8String());
  EXPECT_EQ("page (3)", formats->GetUniqueFormatName(PMString("page")).GetUTF8String());
  EXPECT_EQ("New", formats->GetUniqueFormatName(PMString("New")).GetUTF8String());
  const int32 count = formats->GetFormatCount();
  formats->RemoveFormat(-1);
  formats->RemoveFormat(count);
  EXPECT_EQ(count, formats->GetFormatCount());
}
