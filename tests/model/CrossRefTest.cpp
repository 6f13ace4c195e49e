// One cross-reference end to end, and what decides whether it must be
// recomposed.
#include "commands/XRefCommandID.h"
#include "headless/commands/CommandFaults.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/objects/Clock.h"
#include "host/IHyperlinks.h"
#include "host/IStoryLock.h"
#include "host/UtilsBoss.h"
#include "host/ICharAttrStrand.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
const std::string kAnchor = "\xEF\xBB\xBF";  // U+FEFF in UTF-8

class CrossRefs : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    source_ = MakeStory(doc_, "Introduction\rBody text");
    story_ = MakeStory(doc_, "See here for more");
    LayoutBuilder layout(doc_);
    layout.AddSpread(1);
    layout.AddTextFrame(layout.PageUID(0), source_, 40, 5);
    layout.AddTextFrame(layout.PageUID(0), story_, 40, 5, 0, 200);
    marker_ = InsertMarker(doc_, source_, 0, "Intro");
  }

  UID Insert(const std::string& format, TextIndex start = 4, int32 length = 4, const std::string& name = "Intro") {
    CrossRefRequest r;
    r.start = start;
    r.length = length;
    r.marker = name;
    r.format = format;
    return InsertCrossRef(doc_, story_, r);
  }

  VirtualClock clock_;
  TestApp app_{&clock_};
  DataBase* doc_ = nullptr;
  UID source_ = kInvalidUID, story_ = kInvalidUID, marker_ = kInvalidUID;
};
}  // namespace

TEST_F(CrossRefs, InsertingComposesBetweenTheMarkersAndUndoRestoresTheExactBytes) {
  const std::string before = DocumentBytes(doc_);
  const int32 depth = doc_->UndoDepth();
  clock_.Advance(5000);
  const UID x = Insert("<paratext/>");
  ASSERT_NE(kInvalidUID, x);
  EXPECT_EQ("See " + kAnchor + "Introduction" + kAnchor + " for more\r", StoryText(doc_, story_));
  auto crossRef = CrossRef(doc_, x);
  EXPECT_EQ(0, crossRef->GetSourceState());
  EXPECT_EQ(0, crossRef->GetCompositionState());
  EXPECT_EQ("The cross-reference is up to date.", crossRef->GetCompositionStateMessage().GetUTF8String());
  EXPECT_EQ(5, crossRef->GetStartIndex());
  EXPECT_EQ(17, crossRef->GetEndIndex());
  EXPECT_TRUE(crossRef->GetUpdateTime().IsValid());
  EXPECT_EQ(std::vector<UID>{x}, UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ(depth + 1, doc_->UndoDepth());
  EXPECT_EQ("QX#0xF2C#kXRefInsertCrossRefCmdKey", doc_->UndoName());

  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefCount());
  ASSERT_TRUE(doc_->Redo());
  EXPECT_EQ(std::vector<UID>{x}, UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ("Introduction", CurrentText(doc_, x));
}

TEST_F(CrossRefs, TheTextIsTaggedWithItsCrossReference) {
  const UID x = Insert("<paratext/>");
  auto strand = StrandOf<ICharAttrStrand>(doc_, story_, kCharAttrStrandBoss);
  TextAttribute tag;
  for (TextIndex at : {5, 16}) {
    ASSERT_TRUE(strand->GetOverride(at, kXRefCrossRefAttrBoss, &tag)) << at;
    EXPECT_EQ(UIDValue(x), tag.intValue);
  }
  EXPECT_FALSE(strand->GetOverride(4, kXRefCrossRefAttrBoss, &tag));
  EXPECT_FALSE(strand->GetOverride(17, kXRefCrossRefAttrBoss, &tag));
}

TEST_F(CrossRefs, InsertionFailsAtTheHyperlinkStepAndOneUndoTakesBackWhatItDid) {
  // Another place already holds a destination of the marker's name, so the
  // marker cannot have one of its own.
  InterfacePtr<IHyperlinkUtils> hyperlinks(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  ASSERT_NE(kInvalidUID, hyperlinks->CreateTextAnchorDestination(UIDRef(doc_, story_), 12, PMString("intro")).GetUID());
  CrossRefRequest r;
  r.start = 4;
  r.marker = "Intro";
  r.hyperlink = true;
  ErrorCode err = kSuccess;
  const std::string before = DocumentBytes(doc_);
  EXPECT_EQ(kInvalidUID, InsertCrossRef(doc_, story_, r, &err));
  EXPECT_NE(kSuccess, err);
  // The steps before the hyperlink stay done, in one step for the caller to undo.
  EXPECT_EQ("See " + kAnchor + kAnchor + "here for more\r", StoryText(doc_, story_));
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
}

TEST_F(CrossRefs, AMissingSourceIsBrokenWithItsMessageAndKeepsItsText) {
  const UID x = Insert("<paratext/>", 4, 0, "Nowhere");
  auto crossRef = CrossRef(doc_, x);
  EXPECT_EQ(1, crossRef->GetSourceState());
  EXPECT_EQ("The source marker \"Nowhere\" does not exist in this document.",
            crossRef->GetSourceStateMessage().GetUTF8String());
  EXPECT_EQ(-1, crossRef->GetCompositionState());
  EXPECT_EQ("", CurrentText(doc_, x));
  EXPECT_FALSE(crossRef->NeedsUpdate());

  const UID empty = Insert("<paratext/>", 0, 0, "");
  EXPECT_EQ("The source marker \"(empty)\" does not exist in this document.",
            CrossRef(doc_, empty)->GetSourceStateMessage().GetUTF8String());
}

TEST_F(CrossRefs, StraightAndCurlyQuotesOfOneKindCountAsEqual) {
  const UID x = Insert("\"<paratext/>'");
  auto crossRef = CrossRef(doc_, x);
  EXPECT_EQ("\"Introduction'", CurrentText(doc_, x));
  EXPECT_FALSE(crossRef->NeedsUpdate());
  auto cmds = CmdsOf(doc_, story_);
  const TextIndex start = crossRef->GetStartIndex(), last = crossRef->GetEndIndex() - 1;
  // Curly quotes of the same kinds, typed over the straight ones.
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(last, 1)));
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(last, WideString(u"\u2019"))));
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(start, 1)));
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(start, WideString(u"\u201C"))));
  EXPECT_EQ("\u201CIntroduction\u2019", CurrentText(doc_, x));
  EXPECT_FALSE(crossRef->NeedsUpdate());
  // A curly single quote where a straight double one belongs is a change.
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(start, 1)));
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(start, WideString(u"\u2018"))));
  EXPECT_TRUE(crossRef->NeedsUpdate());
}

TEST_F(CrossRefs, TwoFailuresInARowStopRetriesAndOneSuccessResetsThem) {
  const UID x = Insert("<paratext/>");
  auto crossRef = CrossRef(doc_, x);
  InterfacePtr<IStoryLock> lock(doc_, story_, IID_ISTORYLOCK);
  lock->SetLocked(true);
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_EQ(1, crossRef->GetCompositionState());
  EXPECT_EQ("The cross-reference's story is locked.", crossRef->GetCompositionStateMessage().GetUTF8String());
  EXPECT_TRUE(crossRef->NeedsUpdate());  // one failure: it is tried again
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_FALSE(crossRef->NeedsUpdate());  // two: no more automatic retries

  lock->SetLocked(false);
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_EQ(0, crossRef->GetCompositionState());
  // One failure after the success is retried again: the count started over.
  lock->SetLocked(true);
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_TRUE(crossRef->NeedsUpdate());
}

TEST_F(CrossRefs, AnEditThatMovesTheStartMarkerToAnotherLineNeedsAnUpdate) {
  const UID x = Insert("<paratext/>");
  auto crossRef = CrossRef(doc_, x);
  EXPECT_FALSE(crossRef->NeedsUpdate());
  // A new paragraph before the cross-reference: same text, another line.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->InsertCmd(0, WideString(u"Preface\r"))));
  EXPECT_EQ("Introduction", CurrentText(doc_, x));
  EXPECT_TRUE(crossRef->NeedsUpdate());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_FALSE(crossRef->NeedsUpdate());
}

TEST_F(CrossRefs, AChangedSourceNeedsAnUpdateThatRecomposesIt) {
  const UID x = Insert("<paratext/>");
  auto crossRef = CrossRef(doc_, x);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"New "))));
  EXPECT_TRUE(crossRef->NeedsUpdate());
  EXPECT_EQ("New Introduction", crossRef->ComposeText().GetUTF8String());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_EQ("New Introduction", CurrentText(doc_, x));
  EXPECT_EQ("QX#0xF2C#kXRefUpdateCrossRefCmdKey", doc_->UndoName());
}

TEST_F(CrossRefs, AnUpdateThatChangesNothingReplacesNoTextButStampsItsTime) {
  const UID x = Insert("<paratext/>");
  auto crossRef = CrossRef(doc_, x);
  const GlobalTime composed = crossRef->GetUpdateTime();
  clock_.Advance(5000);
  // Deleting would fail: an update that replaced the text would stop there.
  CommandFaults::FailNext(kDeleteTextCmdBoss, 1, kFailure);
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_EQ(1, CommandFaults::Remaining(kDeleteTextCmdBoss));
  CommandFaults::ClearAll();
  EXPECT_EQ(0, crossRef->GetCompositionState());
  EXPECT_NE(composed, crossRef->GetUpdateTime());
  EXPECT_FALSE(crossRef->NeedsUpdate());
  // A changed source is recomposed as ever.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"New "))));
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_EQ("New Introduction", CurrentText(doc_, x));
}

TEST_F(CrossRefs, EvaluationTellsWhatHoldsAndChangesNothing) {
  const UID x = Insert("<paratext/>");
  const UID failing = Insert("<paratext cstyle=\"Nowhere\"/>", 0, 0);
  auto crossRef = CrossRef(doc_, x);
  ASSERT_TRUE(CrossRef(doc_, failing)->IsCompositionFailed());
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"New "))));
  InterfacePtr<IStoryLock>(doc_, story_, IID_ISTORYLOCK)->SetLocked(true);
  const std::string before = DocumentBytes(doc_);
  const XRefEvaluation stale = crossRef->Evaluate();
  EXPECT_TRUE(stale.sourceFound && stale.composes && stale.locked);
  EXPECT_FALSE(stale.upToDate);
  EXPECT_TRUE(stale.IsFinding());
  EXPECT_EQ("New Introduction", stale.composed.GetUTF8String());
  // The composer's failure is told without composing.
  const XRefEvaluation fails = CrossRef(doc_, failing)->Evaluate();
  EXPECT_TRUE(fails.sourceFound);
  EXPECT_FALSE(fails.composes);
  EXPECT_NE(std::string::npos, fails.compositionMessage.GetUTF8String().find("attribute 'cstyle'"));
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ(0, crossRef->GetCompositionState());  // as the last update left it
  EXPECT_EQ("Introduction", CurrentText(doc_, x));

  // Current in a locked story: sound.
  InterfacePtr<IStoryLock>(doc_, story_, IID_ISTORYLOCK)->SetLocked(false);
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  InterfacePtr<IStoryLock>(doc_, story_, IID_ISTORYLOCK)->SetLocked(true);
  const XRefEvaluation current = crossRef->Evaluate();
  EXPECT_TRUE(current.locked && current.upToDate);
  EXPECT_FALSE(current.IsFinding());
}
