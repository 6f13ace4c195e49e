// Moved text that holds source markers and cross-references: the same
// objects arrive at the new place, their lists follow text order, their
// cross-references resolve there, and undo restores every byte.
#include "headless/layout/LayoutBuilder.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
// "Heading" stands on page 2 behind three filler paragraphs that fill the
// first page's frame; a cross-reference on page 1 names its marker.
class MovedMarkers : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    source_ = MakeStory(doc_, "Filler one\rFiller two\rFiller three\rHeading\rThe end");
    story_ = MakeStory(doc_, "See X and Y.");
    other_ = MakeStory(doc_, "Other place\rLast");
    LayoutBuilder layout(doc_);
    layout.AddSpread(2);
    layout.AddTextFrame(layout.PageUID(0), source_, 40, 3);
    layout.AddTextFrame(layout.PageUID(1), source_, 40, 10);
    layout.AddTextFrame(layout.PageUID(0), story_, 40, 5, 0, 200);
    layout.AddTextFrame(layout.PageUID(1), other_, 40, 5, 0, 200);
    marker_ = InsertMarker(doc_, source_, kHeading, "Head");
    ASSERT_NE(kInvalidUID, marker_);
    x_ = Insert(4);
    ASSERT_EQ("Heading on page 2", CurrentText(doc_, x_));
  }

  UID Insert(TextIndex at) {
    CrossRefRequest r;
    r.start = at;
    r.length = 1;
    r.marker = "Head";
    r.format = "<paratext/> on page <pagenum/>";
    return InsertCrossRef(doc_, story_, r);
  }
  ErrorCode Move(UID from, TextIndex start, int32 length, UID to, TextIndex at) {
    return Process(CmdsOf(doc_, from)->MoveCmd(start, length, to, at));
  }
  // The cross-reference's range with both its markers.
  void WholeOf(UID x, TextIndex* start, int32* length) {
    *start = CrossRef(doc_, x)->GetStartIndex() - 1;
    *length = CrossRef(doc_, x)->GetEndIndex() + 1 - *start;
  }

  static constexpr TextIndex kHeading = 35;  // "Heading", its marker's character in front
  static constexpr int32 kHeadingLength = 9;
  TestApp app_;
  DataBase* doc_ = nullptr;
  UID source_ = kInvalidUID, story_ = kInvalidUID, other_ = kInvalidUID;
  UID marker_ = kInvalidUID, x_ = kInvalidUID;
};
}  // namespace

TEST_F(MovedMarkers, AMovedSourceMarkerKeepsItsIdentityAndItsCrossReferencesFindTheNewPlace) {
  ASSERT_EQ(kSuccess, Move(source_, kHeading, kHeadingLength, source_, 0));
  EXPECT_EQ("\xEF\xBB\xBFHeading\rFiller one\rFiller two\rFiller three\rThe end\r", StoryText(doc_, source_));
  EXPECT_TRUE(doc_->IsValidUID(marker_));
  EXPECT_EQ("Head", NameOf(doc_, marker_));
  EXPECT_EQ(0, Marker(doc_, marker_)->GetTextIndex());
  EXPECT_EQ(1, MarkerList(doc_)->GetMarkerCount());
  InterfacePtr<IXRefSourceMarker> found(MarkerList(doc_)->QueryMarkerByName(PMString("Head")));
  ASSERT_TRUE(found);
  EXPECT_EQ(marker_, ::GetUID(found.get()));
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x_)));
  EXPECT_EQ("Heading on page 1", CurrentText(doc_, x_));
  EXPECT_EQ(0, CrossRef(doc_, x_)->GetSourceState());
}

TEST_F(MovedMarkers, LiveUpdatesFollowAMovedSourceParagraph) {
  SetLiveUpdates(doc_, true);
  Passes(doc_, 4);
  ASSERT_EQ(kSuccess, Move(source_, kHeading, kHeadingLength, source_, 11));
  // The marker heard it moved; its cross-references follow on the third pass.
  Passes(doc_, 2);
  EXPECT_EQ("Heading on page 2", CurrentText(doc_, x_));
  Passes(doc_, 1);
  EXPECT_EQ("Heading on page 1", CurrentText(doc_, x_));
}

TEST_F(MovedMarkers, AMarkerMovedIntoAnotherStoryTakesItsPlaceInTheList) {
  const UID second = InsertMarker(doc_, other_, 0, "Other");
  ASSERT_EQ((std::vector<std::string>{"Head", "Other"}), ListedNames(doc_));
  // The heading goes behind "Other place", in the second marker's story.
  ASSERT_EQ(kSuccess, Move(source_, kHeading, kHeadingLength, other_, 13));
  EXPECT_EQ("\xEF\xBB\xBFOther place\r\xEF\xBB\xBFHeading\rLast\r", StoryText(doc_, other_));
  EXPECT_EQ(UIDRef(doc_, other_), Marker(doc_, marker_)->GetStoryRef());
  EXPECT_EQ(13, Marker(doc_, marker_)->GetTextIndex());
  EXPECT_EQ((std::vector<std::string>{"Other", "Head"}), ListedNames(doc_));
  EXPECT_EQ(0, MarkerList(doc_)->FindMarker(second));
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x_)));
  EXPECT_EQ("Heading on page 2", CurrentText(doc_, x_));
}

TEST_F(MovedMarkers, ACrossReferenceMovedWholeStaysOneObjectWithItsMarkersAndText) {
  const UID y = Insert(CrossRef(doc_, x_)->GetEndIndex() + 6);
  ASSERT_EQ((std::vector<UID>{x_, y}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  const UID start = CrossRef(doc_, x_)->GetStartMarker(), end = CrossRef(doc_, x_)->GetEndMarker();
  TextIndex from;
  int32 length;
  WholeOf(x_, &from, &length);
  // Behind the second cross-reference, in the same story.
  ASSERT_EQ(kSuccess, Move(story_, from, length, story_, CrossRef(doc_, y)->GetEndIndex() + 1));
  EXPECT_EQ((std::vector<UID>{y, x_}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ(start, CrossRef(doc_, x_)->GetStartMarker());
  EXPECT_EQ(end, CrossRef(doc_, x_)->GetEndMarker());
  EXPECT_EQ("Heading on page 2", CurrentText(doc_, x_));
  EXPECT_GT(CrossRef(doc_, x_)->GetStartIndex(), CrossRef(doc_, y)->GetEndIndex());

  // Into another story.
  WholeOf(x_, &from, &length);
  ASSERT_EQ(kSuccess, Move(story_, from, length, other_, 5));
  EXPECT_EQ(UIDRef(doc_, other_), CrossRef(doc_, x_)->GetStoryRef());
  EXPECT_EQ(6, CrossRef(doc_, x_)->GetStartIndex());  // the text behind the start marker at 5
  EXPECT_EQ("Heading on page 2", CurrentText(doc_, x_));
  InterfacePtr<IXRefCrossRefTextMarker> startMarker(doc_, start);
  EXPECT_EQ(x_, startMarker->GetMarkerCrossRef());
  EXPECT_EQ(end, startMarker->GetPartnerMarker());
  // Updated where it now stands, it is still the one object, with its text.
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x_)));
  EXPECT_EQ("Heading on page 2", CurrentText(doc_, x_));
  EXPECT_EQ(start, CrossRef(doc_, x_)->GetStartMarker());
  EXPECT_EQ((std::vector<UID>{y, x_}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
}

TEST_F(MovedMarkers, OneUndoStepRestoresEveryByteAndRedoMovesAgain) {
  TextIndex from;
  int32 length;
  WholeOf(x_, &from, &length);
  ASSERT_EQ(kSuccess, Move(story_, from, length, source_, kHeading + 1));
  doc_->ClearUndo();
  const std::string before = DocumentBytes(doc_);
  ASSERT_EQ(kSuccess, Move(source_, kHeading, kHeadingLength + length, other_, 0));
  const std::string after = DocumentBytes(doc_);
  EXPECT_EQ(1, doc_->UndoDepth());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_TRUE(before == DocumentBytes(doc_));
  EXPECT_EQ(UIDRef(doc_, source_), Marker(doc_, marker_)->GetStoryRef());
  ASSERT_TRUE(doc_->Redo());
  EXPECT_TRUE(after == DocumentBytes(doc_));
  EXPECT_EQ(UIDRef(doc_, other_), Marker(doc_, marker_)->GetStoryRef());
  EXPECT_EQ(UIDRef(doc_, other_), CrossRef(doc_, x_)->GetStoryRef());
}

TEST_F(MovedMarkers, AStartMarkerCarriedAwayAloneNeverMakesAnUpdateDeleteTextOfItsNewStory) {
  const TextIndex startMarker = CrossRef(doc_, x_)->GetStartIndex() - 1;
  ASSERT_EQ(kSuccess, Move(story_, startMarker, 1, other_, 0));
  ASSERT_EQ(UIDRef(doc_, other_), CrossRef(doc_, x_)->GetStoryRef());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x_)));
  const std::string text = StoryText(doc_, other_);
  EXPECT_NE(std::string::npos, text.find("Other place\rLast\r")) << text;
}
