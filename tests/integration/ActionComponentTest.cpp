// The plug-in's menu actions through the host's action manager: enabling
// rules, the live-update item's text, delete-all answered either way, and
// the migration actions.
#include "headless/actions/ActionManager.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/TextIDs.h"
#include "integration/XRefSelectionID.h"
#include "model/IXRefCrossRefList.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/NativeCrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
const ActionID kAll[] = {kXRefUpdateAllActionID,
                         kXRefLiveUpdatesActionID,
                         ActionID{0xF2C03},
                         kXRefConvertAllActionID,
                         kXRefDeleteAllSourceMarkersActionID,
                         ActionID{0xF2C06},
                         kXRefMigrateBasicToProActionID,
                         kXRefMigrateProToBasicActionID};

class MenuActions : public ::testing::Test {
protected:
  void SetUp() override {
    db_ = app_->NewDocument();
    source_ = MakeStory(db_, "Intro heading\rBody");
    refs_ = MakeStory(db_, "See: ");
  }
  ActionStateList States() {
    ActionStateList states;
    for (ActionID id : kAll) states.Add(id, PMString("host text"));
    ActionManager::UpdateActionStates(&*app_, &states);
    return states;
  }
  bool Enabled(ActionID id) {
    ActionStateList s = States();
    for (int32 i = 0; i < s.Length(); ++i)
      if (s.GetNthAction(i) == id) return s.IsNthActionEnabled(i);
    return false;
  }
  std::string Text(ActionID id) {
    ActionStateList s = States();
    for (int32 i = 0; i < s.Length(); ++i)
      if (s.GetNthAction(i) == id) return s.GetNthActionName(i).GetUTF8String();
    return "";
  }
  void MakeMarkersAndCrossRef() {
    InsertMarker(db_, source_, 0, "Intro");
    InsertMarker(db_, source_, 8, "Other");
    CrossRefRequest r;
    r.start = 5;
    r.marker = "Intro";
    ASSERT_NE(kInvalidUID, InsertCrossRef(db_, refs_, r));
  }

  TestApp app_;
  DataBase* db_ = nullptr;
  UID source_ = kInvalidUID, refs_ = kInvalidUID;
};

TEST_F(MenuActions, ActionsAreEnabledByWhatTheDocumentHolds) {
  EXPECT_FALSE(Enabled(kXRefUpdateAllActionID));
  EXPECT_FALSE(Enabled(kXRefConvertAllActionID));
  EXPECT_FALSE(Enabled(kXRefDeleteAllSourceMarkersActionID));
  EXPECT_TRUE(Enabled(kXRefLiveUpdatesActionID));
  EXPECT_TRUE(Enabled(kXRefMigrateBasicToProActionID));
  EXPECT_TRUE(Enabled(kXRefMigrateProToBasicActionID));
  // Identifiers of the range the component does not handle stay as given.
  EXPECT_FALSE(Enabled(ActionID{0xF2C03}));
  EXPECT_EQ("host text", Text(ActionID{0xF2C06}));
  MakeMarkersAndCrossRef();
  EXPECT_TRUE(Enabled(kXRefUpdateAllActionID));
  EXPECT_TRUE(Enabled(kXRefConvertAllActionID));
  EXPECT_TRUE(Enabled(kXRefDeleteAllSourceMarkersActionID));
  EXPECT_EQ("host text", Text(kXRefUpdateAllActionID));
}

TEST_F(MenuActions, TheLiveUpdateItemFollowsThePreferenceAndFlipsIt) {
  SetLiveUpdates(db_, false);
  EXPECT_EQ("QX#0xF2C#kXRefEnableLiveUpdatesMenuItemKey", Text(kXRefLiveUpdatesActionID));
  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefLiveUpdatesActionID));
  EXPECT_EQ("QX#0xF2C#kXRefDisableLiveUpdatesMenuItemKey", Text(kXRefLiveUpdatesActionID));
  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefLiveUpdatesActionID));
  EXPECT_EQ("QX#0xF2C#kXRefEnableLiveUpdatesMenuItemKey", Text(kXRefLiveUpdatesActionID));
}

TEST_F(MenuActions, UpdateAndConvertAllWorkOnEveryCrossRef) {
  MakeMarkersAndCrossRef();
  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefConvertAllActionID));
  EXPECT_EQ(0, CrossRefList(db_)->GetCrossRefCount());
  EXPECT_EQ("See: Intro heading\r", StoryText(db_, refs_));
}

TEST_F(MenuActions, DeleteAllAnsweredNoChangesNothing) {
  MakeMarkersAndCrossRef();
  const std::string before = DocumentBytes(db_);
  const int32 depth = db_->UndoDepth();
  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefDeleteAllSourceMarkersActionID));  // default: No
  ASSERT_FALSE(app_->Alerts().History().empty());
  EXPECT_EQ("modal", app_->Alerts().History().back().kind);
  EXPECT_EQ(before, DocumentBytes(db_));
  EXPECT_EQ(depth, db_->UndoDepth());
}

TEST_F(MenuActions, DeleteAllAnsweredYesLeavesNoMarkerObjectInOneStep) {
  MakeMarkersAndCrossRef();
  // A marker object that nothing anchors or lists goes too.
  const UID orphan = db_->NewUID(kXRefSourceMarkerBoss);
  ASSERT_EQ(3u, db_->GetUIDsOfClass(kXRefSourceMarkerBoss).size());
  const std::string text = StoryText(db_, source_);
  const int32 depth = db_->UndoDepth();
  app_->Alerts().QueueAnswer(1);
  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefDeleteAllSourceMarkersActionID));
  EXPECT_EQ(0, MarkerList(db_)->GetMarkerCount());
  EXPECT_TRUE(db_->GetUIDsOfClass(kXRefSourceMarkerBoss).empty());
  EXPECT_FALSE(db_->IsValidUID(orphan));
  EXPECT_EQ("Intro heading\rBody\r", StoryText(db_, source_));
  EXPECT_EQ(depth + 1, db_->UndoDepth());
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(2, MarkerList(db_)->GetMarkerCount());
  EXPECT_EQ(text, StoryText(db_, source_));
}

TEST_F(MenuActions, DeleteAllInALockedStoryLeavesTheMarkersWhole) {
  MakeMarkersAndCrossRef();
  SetLocked(db_, source_, true);
  app_->Alerts().QueueAnswer(1);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefDeleteAllSourceMarkersActionID));
  EXPECT_NE(kSuccess, ErrorUtils::PMGetGlobalErrorCode());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(2, MarkerList(db_)->GetMarkerCount());
  EXPECT_EQ(2u, db_->GetUIDsOfClass(kXRefSourceMarkerBoss).size());
}

TEST_F(MenuActions, DeleteAllWithOneMarkerLockedDeletesNoneOfThem) {
  MakeMarkersAndCrossRef();
  const UID locked = MakeStory(db_, "Locked");
  InsertMarker(db_, locked, 2, "Late");
  SetLocked(db_, locked, true);
  const std::string before = DocumentBytes(db_);
  const int32 depth = db_->UndoDepth();
  app_->Alerts().QueueAnswer(1);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefDeleteAllSourceMarkersActionID));
  EXPECT_EQ(kStoryLockedError, ErrorUtils::PMGetGlobalErrorCode());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(before, DocumentBytes(db_));
  EXPECT_EQ(depth, db_->UndoDepth());
  EXPECT_EQ(3, MarkerList(db_)->GetMarkerCount());
}

TEST_F(MenuActions, TheMigrationActionsMoveNativeCrossReferencesToXRefAndBack) {
  const UID format = MakeBasicFormat(db_, "Page", {Block(0, "see "), Block(6)});
  const UID anchor = MakeAnchor(db_, source_, 0, "Intro");
  MakeNativeCrossRef(db_, refs_, 5, 0, format, anchor);
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(db_));
  const std::vector<std::string> texts = NativeTexts(db_);
  ASSERT_EQ(1u, texts.size());
  const int32 depth = db_->UndoDepth();

  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefMigrateBasicToProActionID));
  EXPECT_EQ(kSuccess, ErrorUtils::PMGetGlobalErrorCode());
  EXPECT_TRUE(NativeCrossRefs(db_).empty());
  InterfacePtr<IXRefCrossRefList> list(db_, kRootUID);
  ASSERT_TRUE(list);
  EXPECT_EQ(1, list->GetCrossRefCount());
  EXPECT_EQ(depth + 1, db_->UndoDepth());

  ASSERT_TRUE(ActionManager::DoAction(&*app_, kXRefMigrateProToBasicActionID));
  EXPECT_EQ(kSuccess, ErrorUtils::PMGetGlobalErrorCode());
  EXPECT_EQ(0, list->GetCrossRefCount());
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(db_));
  EXPECT_EQ(texts, NativeTexts(db_));
}
}  // namespace
