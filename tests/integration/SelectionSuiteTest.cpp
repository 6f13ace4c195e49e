// The selection suite on text: what touches a cross-reference, the observer
// growing a caret to the whole cross-reference, lock tests, the excerpt, the
// actions, and two kinds of selection offering the suite at once.
#include "headless/objects/Host.h"
#include "host/ActiveSelectionObserver.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/ISession.h"
#include "host/ISubject.h"
#include "host/SelectionIDs.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/SelectionTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
constexpr ClassID kSuiteWatcherBoss{0x141F8};
constexpr ImplementationID kSuiteWatcherImpl{0x141F8};

// Records the suites each model change of the selection affects.
std::vector<std::vector<PMIID>>& AffectedSuites() {
  static std::vector<std::vector<PMIID>> heard;
  return heard;
}
class SuiteWatcher : public ActiveSelectionObserver {
public:
  explicit SuiteWatcher(IPMUnknown* boss) : ActiveSelectionObserver(boss, IID_IOBSERVER) {}

protected:
  void HandleSelectionChanged(const SelectionMessage*) override {}
  void HandleSelectionAttributeChanged(const SelectionMessage* m) override {
    AffectedSuites().push_back(m->GetAffectedSuites());
  }
};

class TextSelectionSuite : public ::testing::Test {
protected:
  void SetUp() override {
    db_ = app_->NewDocument();
    source_ = MakeStory(db_, "Intro heading\rBody");
    refs_ = MakeStory(db_, "See: . More text here");
    marker_ = InsertMarker(db_, source_, 0, "Intro");
    CrossRefRequest r;
    r.start = 5;
    r.marker = "Intro";
    crossRef_ = InsertCrossRef(db_, refs_, r);
    ASSERT_NE(kInvalidUID, crossRef_);
    InterfacePtr<IXRefCrossRef> x = CrossRef(db_, crossRef_);
    start_ = x->GetStartIndex() - 1;  // the start marker
    end_ = x->GetEndIndex();          // the end marker
    ASSERT_LT(start_ + 2, end_);
  }
  void TearDown() override { RemoveFakePart(); }

  TestApp app_;
  DataBase* db_ = nullptr;
  UID source_ = kInvalidUID, refs_ = kInvalidUID, marker_ = kInvalidUID, crossRef_ = kInvalidUID;
  TextIndex start_ = 0, end_ = 0;
};

TEST_F(TextSelectionSuite, ACaretBetweenTheMarkersTouchesTheCrossRefOneAfterTheEndMarkerDoesNot) {
  SetExactSelection(true);  // the observer leaves carets alone
  auto suite = SelectionSuite();
  ASSERT_TRUE(suite);
  // A caret counts the character after it: one just before the start
  // marker touches the cross-reference too.
  for (TextIndex at : {start_, start_ + 1, start_ + 2, end_}) {
    ASSERT_TRUE(SelectText(db_, refs_, at, at));
    EXPECT_TRUE(suite->IsCrossRefSelected()) << at;
    const UIDList selected = suite->GetSelectedCrossRefs();
    ASSERT_EQ(1, selected.Length()) << at;
    EXPECT_EQ(crossRef_, selected.At(0));
  }
  ASSERT_TRUE(SelectText(db_, refs_, end_ + 1, end_ + 1));
  EXPECT_FALSE(suite->IsCrossRefSelected());
  EXPECT_EQ(0, suite->GetSelectedCrossRefs().Length());
  EXPECT_FALSE(suite->CanGoToSource());
  // Before the cross-reference, in the same paragraph.
  ASSERT_TRUE(SelectText(db_, refs_, 1, 3));
  EXPECT_FALSE(suite->IsCrossRefSelected());
}

TEST_F(TextSelectionSuite, TheObserverGrowsACaretInsideToTheWholeCrossRefAndLeavesCoveringSelections) {
  ASSERT_TRUE(SelectText(db_, refs_, start_ + 2, start_ + 2));
  EXPECT_EQ(RangeData(start_, end_ + 1), SelectedRange());
  // A selection ending inside the text grows at its end.
  ASSERT_TRUE(SelectText(db_, refs_, 1, start_ + 2));
  EXPECT_EQ(RangeData(1, end_ + 1), SelectedRange());
  ASSERT_TRUE(SelectText(db_, refs_, start_ - 2, end_ + 3));
  EXPECT_EQ(RangeData(start_ - 2, end_ + 3), SelectedRange());
  ASSERT_TRUE(SelectText(db_, refs_, end_ + 1, end_ + 1));
  EXPECT_EQ(RangeData(end_ + 1, end_ + 1), SelectedRange());
  // Growing a selection keeps an error someone else left.
  ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
  ASSERT_TRUE(SelectText(db_, refs_, start_ + 1, start_ + 1));
  EXPECT_EQ(RangeData(start_, end_ + 1), SelectedRange());
  EXPECT_EQ(kInvalidParameterError, ErrorUtils::PMGetGlobalErrorCode());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  // Exact selection: the host's check says no growing.
  SetExactSelection(true);
  ASSERT_TRUE(SelectText(db_, refs_, start_ + 2, start_ + 2));
  EXPECT_FALSE(SelectionSuite()->CanSelectCrossRef());
  EXPECT_EQ(RangeData(start_ + 2, start_ + 2), SelectedRange());
}

TEST_F(TextSelectionSuite, InALockedStoryTheLockTestedQueriesAnswerFalseButGoToSourceStillAnswers) {
  SetExactSelection(true);
  auto suite = SelectionSuite();
  ASSERT_TRUE(SelectText(db_, refs_, start_ + 1, start_ + 1));
  EXPECT_TRUE(suite->CanModifyCrossRef());
  EXPECT_TRUE(suite->CanUpdateCrossRefs());
  SetLocked(db_, refs_, true);
  EXPECT_FALSE(suite->CanInsertSourceMarker());
  EXPECT_FALSE(suite->CanInsertCrossRef());
  EXPECT_FALSE(suite->CanModifyCrossRef());
  EXPECT_FALSE(suite->CanUpdateCrossRefs());
  EXPECT_FALSE(suite->CanConvertCrossRefsToText());
  EXPECT_FALSE(suite->CanGetSelectionText());
  EXPECT_TRUE(suite->CanGoToSource());
  ASSERT_TRUE(SelectText(db_, source_, 0, 2));
  EXPECT_TRUE(suite->IsSourceMarkerSelected());
  EXPECT_TRUE(suite->CanModifySourceMarker());
  SetLocked(db_, source_, true);
  EXPECT_FALSE(suite->CanModifySourceMarker());
  // The marker's character cannot go: reported, and the marker stays.
  EXPECT_NE(kSuccess, suite->DeleteSourceMarkers());
  EXPECT_TRUE(Marker(db_, marker_));
}

TEST_F(TextSelectionSuite, TheSelectionTextIsAtMostSixtyCharacters) {
  std::string words;
  for (int i = 0; i < 30; ++i) words += "word" + std::to_string(i) + " ";
  const UID story = MakeStory(db_, words + "\r" + std::string(150, 'x') + "\r");
  auto suite = SelectionSuite();
  ASSERT_TRUE(SelectText(db_, story, 0, static_cast<TextIndex>(words.size())));
  PMString text = suite->GetSelectionText();
  EXPECT_LE(text.CharCount(), 60);
  EXPECT_EQ(words.substr(0, 20), text.GetUTF8String().substr(0, 20));
  EXPECT_FALSE(text.GetTranslatable());
  ASSERT_TRUE(SelectText(db_, story, static_cast<TextIndex>(words.size()) + 1, static_cast<TextIndex>(words.size()) + 140));
  text = suite->GetSelectionText();
  EXPECT_EQ(60, text.CharCount());
  ASSERT_TRUE(SelectText(db_, story, 0, 4));
  EXPECT_EQ("word", suite->GetSelectionText().GetUTF8String());
  // Sixty characters outside the basic plane are 120 units.
  std::string wide;
  for (int i = 0; i < 70; ++i) wide += "\xF0\x9D\x90\x80";  // U+1D400
  const UID wideStory = MakeStory(db_, wide);
  ASSERT_TRUE(SelectText(db_, wideStory, 0, 140));
  text = suite->GetSelectionText();
  EXPECT_EQ(120, text.CharCount());
  EXPECT_EQ(0xDC00, text[119] & 0xFC00);
}

TEST_F(TextSelectionSuite, ActionsRunTheirCommandsOnTheSelection) {
  SetExactSelection(true);
  auto suite = SelectionSuite();
  ASSERT_TRUE(SelectText(db_, source_, 6, 6));
  ASSERT_EQ(kSuccess, suite->InsertSourceMarker(PMString("Second")));
  EXPECT_EQ(2, MarkerList(db_)->GetMarkerCount());
  ASSERT_TRUE(SelectText(db_, source_, 6, 7));
  ASSERT_EQ(1, suite->GetSelectedSourceMarkers().Length());
  ASSERT_EQ(kSuccess, suite->ModifySourceMarker(PMString("Renamed"), false));
  EXPECT_EQ("Renamed", NameOf(db_, suite->GetSelectedSourceMarkers().At(0)));
  // The whole cross-reference goes, markers and all.
  ASSERT_TRUE(SelectText(db_, refs_, start_ + 1, start_ + 1));
  ASSERT_EQ(kSuccess, suite->DeleteCrossRefs());
  EXPECT_EQ("See: . More text here\r", StoryText(db_, refs_));
  EXPECT_EQ(0, CrossRefList(db_)->GetCrossRefCount());
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(1, CrossRefList(db_)->GetCrossRefCount());
  // Source markers in the range go with their characters, one undo step.
  ASSERT_TRUE(SelectText(db_, source_, 0, 8));
  ASSERT_EQ(2, suite->GetSelectedSourceMarkers().Length());
  ASSERT_EQ(kSuccess, suite->DeleteSourceMarkers());
  EXPECT_EQ(0, MarkerList(db_)->GetMarkerCount());
  EXPECT_EQ("Intro heading\rBody\r", StoryText(db_, source_));
  // Nothing selected: reported.
  ASSERT_TRUE(SelectText(db_, source_, 0, 0));
  EXPECT_NE(kSuccess, suite->DeleteSourceMarkers());
  EXPECT_NE(kSuccess, suite->GoToSource());
}

TEST_F(TextSelectionSuite, InsertingACrossRefReplacesTheSelectedText) {
  SetExactSelection(true);
  auto suite = SelectionSuite();
  const std::string before = StoryText(db_, refs_);
  ASSERT_TRUE(SelectText(db_, refs_, end_ + 3, end_ + 7));
  ASSERT_EQ(kSuccess, suite->InsertCrossRef(IDFile(), PMString("Intro"), PMString("Plain"), PMString("<paratext/>"), false));
  EXPECT_EQ(2, CrossRefList(db_)->GetCrossRefCount());
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(before, StoryText(db_, refs_));
  EXPECT_EQ(1, CrossRefList(db_)->GetCrossRefCount());
}

TEST_F(TextSelectionSuite, EachOpenDocumentsObserverIsAttachedUntilItCloses) {
  InterfacePtr<ISubject> subject(GetExecutionContextSession(), IID_ISUBJECT);
  InterfacePtr<IObserver> observer(db_, kRootUID, IID_IXREFSELECTIONOBSERVER);
  ASSERT_TRUE(observer);
  EXPECT_TRUE(subject->IsAttached(observer.get(), kActiveSelectionProtocol, IID_IXREFSELECTIONOBSERVER));
  // A closed document's observer is gone from the subject: telling the
  // observers afterwards reaches only live ones (the sanitizers would see it).
  DataBase* other = app_->NewDocument();
  const UID story = MakeStory(other, "Other");
  ASSERT_TRUE(SelectText(other, story, 1, 1));
  app_->CloseDocument(other);
  ASSERT_TRUE(SelectText(db_, refs_, start_ + 2, start_ + 2));
  EXPECT_EQ(RangeData(start_, end_ + 1), SelectedRange());
}

TEST_F(TextSelectionSuite, ChangesToMarkersAndCrossRefsOfTheSelectedDocumentAffectTheSuite) {
  Host& host = Host::Get();
  if (!host.Classes().IsDefined(kSuiteWatcherBoss)) {
    host.Impls().InstallHost<SuiteWatcher>(kSuiteWatcherImpl);
    host.Classes().Define({kSuiteWatcherBoss, kInvalidClass, {{IID_IOBSERVER, kSuiteWatcherImpl}}});
  }
  AffectedSuites().clear();
  InterfacePtr<IObserver> watcher(CreateObject<IObserver>(kSuiteWatcherBoss));
  auto* observer = static_cast<ActiveSelectionObserver*>(watcher.get());
  ASSERT_TRUE(observer->AutoAttach());
  ASSERT_TRUE(SelectText(db_, source_, 6, 6));
  EXPECT_TRUE(AffectedSuites().empty());
  ASSERT_EQ(kSuccess, SelectionSuite()->InsertSourceMarker(PMString("Told")));
  ASSERT_FALSE(AffectedSuites().empty());
  EXPECT_EQ(std::vector<PMIID>{IID_IXREFSELECTIONSUITE}, AffectedSuites().back());
  // Text edits alone concern no suite.
  AffectedSuites().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db_, refs_)->InsertCmd(0, WideString(u"x"))));
  EXPECT_TRUE(AffectedSuites().empty());
  observer->AutoDetach();
}

TEST_F(TextSelectionSuite, ASelectionAnEditLeftPastTheStoryEndHoldsNothing) {
  auto suite = SelectionSuite();
  ASSERT_TRUE(SelectText(db_, source_, 12, 19));
  EXPECT_TRUE(suite->HasTextSelection());
  ASSERT_EQ(kSuccess, Process(CmdsOf(db_, source_)->DeleteCmd(1, 15)));
  EXPECT_FALSE(suite->HasTextSelection());
  EXPECT_EQ(0, suite->GetSelectedSourceMarkers().Length());
  EXPECT_FALSE(suite->IsSourceMarkerSelected());
  EXPECT_FALSE(suite->IsCrossRefSelected());
  EXPECT_EQ(kSuccess, suite->SelectCrossRef());
  EXPECT_EQ(RangeData(12, 19), SelectedRange());
}

TEST_F(TextSelectionSuite, TwoKindsOfSelectionGiveEmptyListsAndRunLastFirstInOneStep) {
  SetExactSelection(true);
  ASSERT_TRUE(SelectText(db_, refs_, start_ + 1, start_ + 1));
  auto suite = SelectionSuite();
  ASSERT_EQ(1, suite->GetSelectedCrossRefs().Length());
  AddFakePart();
  EXPECT_EQ(0, suite->GetSelectedCrossRefs().Length());
  EXPECT_EQ(0, suite->GetSelectedSourceMarkers().Length());
  EXPECT_TRUE(suite->GetSelectionText().IsEmpty());
  // Either part answering yes is enough.
  EXPECT_FALSE(suite->CanModifySourceMarker());
  FakePart().answer = true;
  EXPECT_TRUE(suite->CanModifySourceMarker());
  EXPECT_TRUE(suite->IsCrossRefSelected());

  // Both act, the fake (added last) first, in one undo step.
  // (The observer's own call on the new selection is no concern here.)
  ASSERT_TRUE(SelectText(db_, source_, 6, 6));
  FakePart().log.clear();
  FakePart().db = db_;
  FakePart().story = source_;
  const std::string before = StoryText(db_, source_);
  ASSERT_EQ(kSuccess, suite->InsertSourceMarker(PMString("Both")));
  EXPECT_EQ(std::vector<std::string>{"InsertSourceMarker"}, FakePart().log);
  EXPECT_EQ(2, MarkerList(db_)->GetMarkerCount());
  EXPECT_EQ("F", StoryText(db_, source_).substr(0, 1));
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(before, StoryText(db_, source_));
  EXPECT_EQ(1, MarkerList(db_)->GetMarkerCount());

  // The fake fails first: the text part never runs, the error is kept.
  FakePart().result = kInvalidParameterError;
  FakePart().log.clear();
  EXPECT_EQ(kInvalidParameterError, suite->InsertSourceMarker(PMString("Never")));
  EXPECT_EQ(kInvalidParameterError, ErrorUtils::PMGetGlobalErrorCode());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(1, MarkerList(db_)->GetMarkerCount());
  EXPECT_EQ(1u, FakePart().log.size());
}
}  // namespace
