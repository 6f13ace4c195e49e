// The update scheduler's timing, counted in passes and on the idle clock:
// when reports ripen, how source markers reach their cross-references, the
// echo of its own updates, locked stories and the live-update switch.
#include "commands/XRefCommandID.h"
#include "headless/commands/CommandFaults.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/objects/Clock.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class Scheduling : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    SetLiveUpdates(doc_, true);
    source_ = MakeStory(doc_, "Introduction\rBody text");
    story_ = MakeStory(doc_, "See here for more");
    LayoutBuilder layout(doc_);
    layout.AddSpread(1);
    layout.AddTextFrame(layout.PageUID(0), source_, 40, 5);
    layout.AddTextFrame(layout.PageUID(0), story_, 40, 5, 0, 200);
    marker_ = InsertMarker(doc_, source_, 0, "Intro");
    CrossRefRequest r;
    r.start = 4;
    r.length = 4;
    r.marker = "Intro";
    x_ = InsertCrossRef(doc_, story_, r);
    ASSERT_NE(kInvalidUID, x_);
    Passes(doc_, 4);  // what setting up reported is handled
    counter_.reset(new RecompositionCounter(doc_));
  }
  void TearDown() override { CommandFaults::ClearAll(); }

  // The source paragraph changes after the marker: the cross-reference is
  // out of date, and nothing has reported it.
  void MakeStale() {
    ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(13, WideString(u" Part"))));
    ASSERT_EQ("Introduction", CurrentText(doc_, x_));
  }
  bool Current() const { return CurrentText(doc_, x_) == "Introduction Part"; }
  void Report(UID uid) { SchedulerOf(doc_)->MarkChanged(uid); }

  VirtualClock clock_;
  TestApp app_{&clock_};
  DataBase* doc_ = nullptr;
  UID source_ = kInvalidUID, story_ = kInvalidUID, marker_ = kInvalidUID, x_ = kInvalidUID;
  std::unique_ptr<RecompositionCounter> counter_;
};
}  // namespace

TEST_F(Scheduling, AReportedCrossReferenceIsHandledOnTheSecondPassAfterItsLastReport) {
  MakeStale();
  Report(x_);
  Passes(doc_, 1);
  Report(x_);  // a new report resets the wait
  Passes(doc_, 1);
  EXPECT_FALSE(Current());
  Passes(doc_, 1);
  EXPECT_TRUE(Current());
  EXPECT_EQ(1, counter_->Count());
}

TEST_F(Scheduling, AChangedSourceMarkerReachesItsCrossReferencesOnTheThirdPass) {
  MakeStale();
  Report(marker_);
  Passes(doc_, 2);
  EXPECT_FALSE(Current());
  Passes(doc_, 1);
  EXPECT_TRUE(Current());
}

TEST_F(Scheduling, ACrossReferenceReportedTwiceInOneIntervalIsRecomposedOnce) {
  MakeStale();
  Report(x_);
  Report(x_);
  Report(marker_);
  Passes(doc_, 6);
  EXPECT_TRUE(Current());
  EXPECT_EQ(1, counter_->Count());
}

TEST_F(Scheduling, OnlyOutOfDateCrossReferencesAreRecomposedAndOtherObjectsAreIgnored) {
  Report(x_);
  Report(story_);
  Report(UID{999999});
  Passes(doc_, 4);
  EXPECT_EQ(0, counter_->Count());
}

// The echo of the scheduler's own update came while its pass ran and was
// dropped there; a report after the pass is a real change (here, of the
// source) and is heard, not swallowed as an echo.
TEST_F(Scheduling, TheEchoOfItsOwnUpdateIsDroppedAndALaterReportIsHeard) {
  MakeStale();
  Report(x_);
  Passes(doc_, 2);
  ASSERT_TRUE(Current());
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"New "))));
  Report(x_);
  Passes(doc_, 2);
  EXPECT_EQ("New Introduction Part", CurrentText(doc_, x_));
  EXPECT_EQ(2, counter_->Count());
}

TEST_F(Scheduling, ACrossReferenceInALockedStoryWaitsInStepsOfTwoPasses) {
  MakeStale();
  SetLocked(doc_, story_, true);
  Report(x_);
  Passes(doc_, 2);  // ripe, but locked: back to waiting
  SetLocked(doc_, story_, false);
  Passes(doc_, 1);
  EXPECT_FALSE(Current());
  Passes(doc_, 1);
  EXPECT_TRUE(Current());

  // Locked for good, it is never touched.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"New "))));
  SetLocked(doc_, story_, true);
  Report(marker_);
  Passes(doc_, 8);
  EXPECT_EQ("Introduction Part", CurrentText(doc_, x_));
}

TEST_F(Scheduling, WithLiveUpdatesOffReportsWaitAndSwitchingOnRecomposesAll) {
  ASSERT_EQ(kSuccess, SwitchLiveUpdates(doc_, false));
  MakeStale();
  Report(x_);
  Report(marker_);
  Passes(doc_, 6);
  EXPECT_FALSE(Current());
  EXPECT_EQ(0, counter_->Count());

  ASSERT_EQ(kSuccess, SwitchLiveUpdates(doc_, true));
  // The waiting marker ripens with the switch's own report and then queues
  // its cross-reference once more: a pass later than the switch alone.
  Passes(doc_, 2);
  EXPECT_FALSE(Current());
  Passes(doc_, 1);
  EXPECT_TRUE(Current());
  EXPECT_EQ(1, counter_->Count());
}

TEST_F(Scheduling, ARemovedCrossReferenceStaysQueuedWithoutEffect) {
  MakeStale();
  Report(x_);
  ASSERT_EQ(kSuccess, RunOn(kXRefDeleteCrossRefCmdBoss, UIDRef(doc_, x_)));
  Passes(doc_, 4);
  EXPECT_EQ(0, counter_->Count());
  // Undone, it is listed again and its waiting report takes effect.
  ASSERT_TRUE(doc_->Undo());
  Passes(doc_, 1);
  EXPECT_TRUE(Current());
}

TEST_F(Scheduling, WhileUpdatesAreHeldNothingIsSpentAndTheQueueWaits) {
  MakeStale();
  Report(x_);
  app_->HoldUpdates();
  Passes(doc_, 4);
  EXPECT_FALSE(Current());
  app_->ReleaseUpdates();
  Passes(doc_, 2);
  EXPECT_TRUE(Current());
}

TEST_F(Scheduling, OnTheIdleClockAChangeIsHandledBetween300And600MsLater) {
  app_->Idle().RunOnce();  // composes, and the task's first run
  Passes(doc_, 3);
  counter_.reset(new RecompositionCounter(doc_));
  // Typing inside the cross-reference: its line is composed again on idle,
  // and its start marker reports it.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->InsertCmd(6, WideString(u"zz"))));
  ASSERT_EQ("Izzntroduction", CurrentText(doc_, x_));
  app_->Idle().RunFor(590);
  EXPECT_EQ("Izzntroduction", CurrentText(doc_, x_));
  clock_.Advance(10 * 1000);
  app_->Idle().RunOnce();
  EXPECT_EQ("Introduction", CurrentText(doc_, x_));
  EXPECT_EQ(1, counter_->Count());
  // The layout's report of that update is its echo: nothing more happens.
  app_->Idle().RunFor(3000);
  EXPECT_EQ(1, counter_->Count());
}

TEST_F(Scheduling, AfterAFailedUpdateCommandTheSchedulerKeepsWorking) {
  MakeStale();
  CommandFaults::FailNext(kXRefUpdateCrossRefCmdBoss, 1, kFailure);
  Report(x_);
  Passes(doc_, 2);
  ASSERT_EQ(0, CommandFaults::Remaining(kXRefUpdateCrossRefCmdBoss));  // the pass ran the command
  EXPECT_FALSE(Current());
  EXPECT_EQ(kSuccess, ErrorUtils::PMGetGlobalErrorCode());  // nobody waits on a background failure
  // The failed entry was handled in that pass: it waits for a new report.
  Passes(doc_, 4);
  EXPECT_FALSE(Current());
  EXPECT_EQ(0, counter_->Count());

  // A new report is heard (the scheduler is not left busy, and a failed
  // update leaves no echo to swallow) and recomposes once the failure is gone.
  Report(x_);
  Passes(doc_, 2);
  EXPECT_TRUE(Current());
  EXPECT_EQ(1, counter_->Count());
}

TEST_F(Scheduling, AChangedSourceStillReachesItsCrossReferencesAfterFailedPasses) {
  MakeStale();
  CommandFaults::FailNext(kXRefUpdateCrossRefCmdBoss, 2, kFailure);
  Report(marker_);
  Passes(doc_, 3);
  Report(marker_);
  Passes(doc_, 3);
  ASSERT_EQ(0, CommandFaults::Remaining(kXRefUpdateCrossRefCmdBoss));
  EXPECT_FALSE(Current());
  Report(marker_);
  Passes(doc_, 3);
  EXPECT_TRUE(Current());
}
