// Source markers and the document's list of them: lookup by name, the name
// index, copy and unique names, text order, and the marker's own data.
#include "host/CmdUtils.h"
#include "host/IHyperlinks.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "model/IXRefSourceMarkerUtils.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class SourceMarkerList : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    story_ = MakeStory(doc_, std::string(60, 'x'));
    list_ = MarkerList(doc_);
    ASSERT_TRUE(list_);
  }

  // A marker anchored at the index and added in text order.
  UID Listed(UID story, TextIndex at, const std::string& name) {
    UID marker = AnchorMarker(doc_, story, at, name);
    list_->AddMarker(marker, -1);
    return marker;
  }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID story_ = kInvalidUID;
  InterfacePtr<IXRefSourceMarkerList> list_;
};
}  // namespace

TEST_F(SourceMarkerList, LookupsIgnoreCaseAndTheLaterOfTwoNamesWins) {
  UID intro = Listed(story_, 1, "Intro");
  EXPECT_TRUE(list_->HasMarker(PMString("INTRO")));
  InterfacePtr<IXRefSourceMarker> found(list_->QueryMarkerByName(PMString("iNtRo")));
  ASSERT_TRUE(found);
  EXPECT_EQ(intro, ::GetUID(found.get()));
  EXPECT_FALSE(list_->HasMarker(PMString("Intr")));
  EXPECT_FALSE(InterfacePtr<IXRefSourceMarker>(list_->QueryMarkerByName(PMString("Outro"))));
  // Non-ASCII letters fold too.
  Listed(story_, 3, "Ärger");
  EXPECT_TRUE(list_->HasMarker(PMString("äRGER")));

  UID later = Listed(story_, 5, "INTRO");
  found.reset(list_->QueryMarkerByName(PMString("intro")));
  EXPECT_EQ(later, ::GetUID(found.get()));
  // Later in the list, not later made: a marker listed before both wins nothing.
  UID earlier = AnchorMarker(doc_, story_, 0, "intro");
  list_->AddMarker(earlier, -1);
  ASSERT_EQ(0, list_->FindMarker(earlier));
  found.reset(list_->QueryMarkerByName(PMString("Intro")));
  EXPECT_EQ(later, ::GetUID(found.get()));
}

TEST_F(SourceMarkerList, TheNameIndexStaysStaleAfterARenameUntilInvalidated) {
  UID marker = Listed(story_, 1, "Intro");
  ASSERT_TRUE(list_->HasMarker(PMString("Intro")));
  Marker(doc_, marker)->SetMarkerName(PMString("Preface"));
  EXPECT_FALSE(list_->HasMarker(PMString("Preface")));
  EXPECT_TRUE(list_->HasMarker(PMString("Intro")));
  EXPECT_EQ("Preface", list_->GetMarkerNameAt(0).GetUTF8String());

  list_->InvalidateNameIndex();
  EXPECT_TRUE(list_->HasMarker(PMString("Preface")));
  EXPECT_FALSE(list_->HasMarker(PMString("Intro")));

  // A change of the list rebuilds the index too.
  Marker(doc_, marker)->SetMarkerName(PMString("Foreword"));
  Listed(story_, 9, "Other");
  EXPECT_TRUE(list_->HasMarker(PMString("Foreword")));
}

TEST_F(SourceMarkerList, CopiesGetTheCopyWordAndUniqueNamesANumber) {
  EXPECT_EQ("Intro", list_->GetCopyName(PMString("Intro")).GetUTF8String());
  Listed(story_, 1, "Intro");
  EXPECT_EQ("Intro copy", list_->GetCopyName(PMString("Intro")).GetUTF8String());
  Listed(story_, 2, "intro COPY");
  EXPECT_EQ("Intro copy 2", list_->GetCopyName(PMString("Intro")).GetUTF8String());
  Listed(story_, 3, "Intro copy 2");
  EXPECT_EQ("Intro copy 3", list_->GetCopyName(PMString("Intro")).GetUTF8String());

  InterfacePtr<IXRefSourceMarkerUtils> utils(UtilsBoss::QueryUtils<IXRefSourceMarkerUtils>());
  ASSERT_TRUE(utils);
  EXPECT_EQ("Intro (2)", utils->GetUniqueMarkerName(PMString("Intro"), doc_).GetUTF8String());
  Listed(story_, 4, "INTRO (2)");
  EXPECT_EQ("Intro (3)", utils->GetUniqueMarkerName(PMString("Intro"), doc_).GetUTF8String());
  EXPECT_EQ("Free", utils->GetUniqueMarkerName(PMString("Free"), doc_).GetUTF8String());
  // A database without a source-marker list (the application's workspace).
  EXPECT_EQ("Intro", utils->GetUniqueMarkerName(PMString("Intro"), app_->Workspace()).GetUTF8String());
  EXPECT_EQ("Intro", utils->GetUniqueMarkerName(PMString("Intro"), nullptr).GetUTF8String());
}

TEST_F(SourceMarkerList, MarkersStandInTextOrderStoryByStory) {
  UID other = MakeStory(doc_, "second story");
  Listed(story_, 50, "at 50");
  Listed(story_, 10, "at 10");
  Listed(story_, 30, "at 30");
  EXPECT_EQ((std::vector<std::string>{"at 10", "at 30", "at 50"}), ListedNames(doc_));
  Listed(other, 2, "other story");
  Listed(story_, 40, "at 40");
  Listed(story_, 55, "at 55");
  Listed(story_, 0, "at 0");
  EXPECT_EQ((std::vector<std::string>{"at 0", "at 10", "at 30", "at 40", "at 50", "at 55", "other story"}),
            ListedNames(doc_));

  // Unanchored markers go to the end; a given position is taken as it is,
  // and one past the end appends.
  UID loose = doc_->NewUID(kXRefSourceMarkerBoss);
  list_->AddMarker(loose, -1);
  EXPECT_EQ(7, list_->FindMarker(loose));
  UID first = AnchorMarker(doc_, story_, 59, "placed first");
  list_->AddMarker(first, 0);
  EXPECT_EQ(0, list_->FindMarker(first));
  UID far = AnchorMarker(doc_, story_, 58, "far");
  list_->AddMarker(far, 1000);
  EXPECT_EQ(list_->GetMarkerCount() - 1, list_->FindMarker(far));
}

// A listed marker carried into another story behind the list's back: the
// list finds its runs stale and walks the list, whose story run now ends at
// the carried marker.
TEST_F(SourceMarkerList, AMarkerCarriedAwayUnnoticedSendsTheListWalking) {
  UID other = MakeStory(doc_, "second story");
  Listed(story_, 10, "a");
  UID carried = Listed(story_, 30, "b");
  Listed(story_, 40, "c");
  auto strand = StrandOf<IOwnedItemStrand>(doc_, other, kOwnedItemStrandBoss);
  ASSERT_TRUE(strand->SetOwnedItem(5, kXRefSourceMarkerBoss, carried));
  EXPECT_EQ(1, list_->FindMarker(Listed(story_, 35, "d")));
}

TEST_F(SourceMarkerList, RepeatedAddsAndAbsentRemovalsChangeNothing) {
  UID marker = Listed(story_, 1, "Intro");
  UID unlisted = doc_->NewUID(kXRefSourceMarkerBoss);
  doc_->SetModified(false);
  list_->AddMarker(marker, -1);
  list_->AddMarker(marker, 0);
  list_->RemoveMarker(unlisted);
  EXPECT_EQ(1, list_->GetMarkerCount());
  EXPECT_FALSE(doc_->IsModified());
  // An object that is no source marker is not listed.
  list_->AddMarker(story_, -1);
  list_->AddMarker(kInvalidUID, -1);
  EXPECT_EQ(1, list_->GetMarkerCount());

  list_->RemoveMarker(marker);
  EXPECT_EQ(0, list_->GetMarkerCount());
  EXPECT_EQ(-1, list_->FindMarker(marker));
  EXPECT_FALSE(list_->HasMarker(PMString("Intro")));

  // A list read back by an undo knows again what it holds, also once it
  // has been asked often enough to keep a set of its markers.
  for (int i = 0; i < 100; ++i) list_->AddMarker(marker, -1);
  ASSERT_EQ(1, list_->GetMarkerCount());
  {
    CmdUtils::SequenceContext step(PMString("Remove"));
    list_->RemoveMarker(marker);
  }
  doc_->Undo();
  ASSERT_EQ(1, list_->GetMarkerCount());
  for (int i = 0; i < 100; ++i) list_->AddMarker(marker, -1);
  EXPECT_EQ(1, list_->GetMarkerCount());
  const UID next = Listed(story_, 5, "Next");
  list_->AddMarker(next, -1);
  EXPECT_EQ(2, list_->GetMarkerCount());
  list_->RemoveMarker(next);
  list_->AddMarker(next, -1);
  EXPECT_EQ(2, list_->GetMarkerCount());
}

TEST_F(SourceMarkerList, AMarkerKnowsItsNameTimeAndAnchor) {
  UID uid = doc_->NewUID(kXRefSourceMarkerBoss);
  auto marker = Marker(doc_, uid);
  EXPECT_TRUE(marker->GetMarkerName().IsEmpty());
  EXPECT_EQ(0, marker->GetMarkerTime().GetTime());
  EXPECT_FALSE(marker->GetStoryRef().GetDataBase());
  EXPECT_EQ(-1, marker->GetTextIndex());
  EXPECT_FALSE(InterfacePtr<ITextModel>(marker->QueryStory()));
  EXPECT_FALSE(marker->GetHyperlinkDestination().GetDataBase());

  marker->SetMarkerName(PMString("Intro"));
  EXPECT_EQ(PMString::kNotTranslatable, marker->GetMarkerName().GetTranslationState());
  marker->SetMarkerTime(GlobalTime(12345));
  EXPECT_EQ(0, marker->GetMarkerTime().GetTime());
  // Setting the name it has does not touch the document.
  doc_->SetModified(false);
  marker->SetMarkerName(PMString("Intro"));
  EXPECT_FALSE(doc_->IsModified());
  marker->SetMarkerName(PMString("intro"));
  EXPECT_TRUE(doc_->IsModified());

  UID anchored = AnchorMarker(doc_, story_, 7, "anchored");
  auto placed = Marker(doc_, anchored);
  EXPECT_EQ(UIDRef(doc_, story_), placed->GetStoryRef());
  EXPECT_EQ(7, placed->GetTextIndex());
  InterfacePtr<ITextModel> story(placed->QueryStory());
  EXPECT_EQ(UIDRef(doc_, story_), ::GetUIDRef(story.get()));
}

TEST_F(SourceMarkerList, TheHyperlinkDestinationIsTheOneAnchoredRightAfterTheMarker) {
  UID marker = AnchorMarker(doc_, story_, 7, "Intro");
  InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  ASSERT_TRUE(utils->CreateTextAnchorDestination(UIDRef(doc_, story_), 7, PMString("At")).GetDataBase());
  EXPECT_FALSE(Marker(doc_, marker)->GetHyperlinkDestination().GetDataBase());
  const UIDRef destination = utils->CreateTextAnchorDestination(UIDRef(doc_, story_), 8, PMString("After"));
  ASSERT_NE(kInvalidUID, destination.GetUID());
  EXPECT_EQ(destination, Marker(doc_, marker)->GetHyperlinkDestination());
}
