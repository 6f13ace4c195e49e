// Text markers as owned items: deleting their characters (also with the
// footnote that holds them), and carrying a cross-reference through copy
// and paste.
#include "commands/XRefCommandID.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/TextClipboard.h"
#include "host/IFootnote.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/IXRefPendingMarker.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <functional>

namespace {
class CrossRefTextMarkers : public ::testing::Test {
protected:
  void SetUp() override {
    TextClipboard::Clear();
    doc_ = app_->NewDocument();
    source_ = MakeStory(doc_, "Heading");
    story_ = MakeStory(doc_, "See X and Y.");
    InsertMarker(doc_, source_, 0, "H");
    first_ = Insert(4);
    second_ = Insert(CrossRef(doc_, first_)->GetEndIndex() + 6);
  }
  void TearDown() override { TextClipboard::Clear(); }

  UID Insert(TextIndex at) {
    CrossRefRequest r;
    r.start = at;
    r.length = 1;
    r.marker = "H";
    return InsertCrossRef(doc_, story_, r);
  }
  int32 Length(UID x) { return CrossRef(doc_, x)->GetTextLength() + 2; }
  bool Exists(IDataBase* db, UID uid) { return db->IsValidUID(uid); }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID source_ = kInvalidUID, story_ = kInvalidUID, first_ = kInvalidUID, second_ = kInvalidUID;
};
}  // namespace

TEST_F(CrossRefTextMarkers, BothAreInsertedWiredAndListedInTextOrder) {
  ASSERT_EQ("See \xEF\xBB\xBFHeading\xEF\xBB\xBF and \xEF\xBB\xBFHeading\xEF\xBB\xBF.\r", StoryText(doc_, story_));
  EXPECT_EQ((std::vector<UID>{first_, second_}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  auto x = CrossRef(doc_, first_);
  InterfacePtr<IXRefCrossRefTextMarker> start(doc_, x->GetStartMarker());
  InterfacePtr<IXRefCrossRefTextMarker> end(doc_, x->GetEndMarker());
  EXPECT_EQ(first_, start->GetMarkerCrossRef());
  EXPECT_EQ(x->GetEndMarker(), start->GetPartnerMarker());
  EXPECT_EQ(x->GetStartMarker(), end->GetPartnerMarker());
  EXPECT_EQ(kXRefCrossRefStartMarkerBoss, doc_->GetClass(x->GetStartMarker()));
  EXPECT_EQ(kXRefCrossRefEndMarkerBoss, doc_->GetClass(x->GetEndMarker()));

  // One inserted before both goes first.
  const UID front = Insert(0);
  EXPECT_EQ((std::vector<UID>{front, first_, second_}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
}

TEST_F(CrossRefTextMarkers, DeletingARangeWithBothMarkersRemovesTheCrossReferenceOnce) {
  auto x = CrossRef(doc_, first_);
  const UID start = x->GetStartMarker(), end = x->GetEndMarker();
  const TextIndex from = x->GetStartIndex() - 1, to = x->GetEndIndex() + 1;
  x.reset();
  const int32 depth = doc_->UndoDepth();
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(from, to - from)));
  EXPECT_FALSE(Exists(doc_, first_));
  EXPECT_FALSE(Exists(doc_, start));
  EXPECT_FALSE(Exists(doc_, end));
  EXPECT_EQ(std::vector<UID>{second_}, UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ(depth + 1, doc_->UndoDepth());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ((std::vector<UID>{first_, second_}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
}

TEST_F(CrossRefTextMarkers, OnlyTheStartMarkersCharacterTakesTheCrossReferenceAlong) {
  auto second = CrossRef(doc_, second_);
  const TextIndex secondEnd = second->GetEndIndex();
  const UID secondEndMarker = second->GetEndMarker();
  second.reset();
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(secondEnd, 1)));
  EXPECT_TRUE(Exists(doc_, second_));
  EXPECT_FALSE(Exists(doc_, secondEndMarker));
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefCount());

  const TextIndex firstStart = CrossRef(doc_, first_)->GetStartIndex() - 1;
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(firstStart, 1)));
  EXPECT_FALSE(Exists(doc_, first_));
  EXPECT_EQ(std::vector<UID>{second_}, UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
}

TEST_F(CrossRefTextMarkers, PastingBothMarkersIntoAnotherDocumentMakesOneWiredCrossReference) {
  DataBase* other = app_->NewDocument();
  const UID target = MakeStory(other, "ab");
  const UID before = InsertCrossRef(other, target, [] {
    CrossRefRequest r;
    r.start = 0;
    r.marker = "elsewhere";
    return r;
  }());
  auto x = CrossRef(doc_, first_);
  const TextIndex from = x->GetStartIndex() - 1, to = x->GetEndIndex() + 1;
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), from, to - from));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(4)));

  auto list = CrossRefList(other);
  ASSERT_EQ(2, list->GetCrossRefCount());
  EXPECT_EQ(before, list->GetCrossRefUID(0));  // text order: the paste came after it
  auto copy = CrossRef(other, list->GetCrossRefUID(1));
  EXPECT_EQ(kXRefCrossRefStartMarkerBoss, other->GetClass(copy->GetStartMarker()));
  EXPECT_EQ(kXRefCrossRefEndMarkerBoss, other->GetClass(copy->GetEndMarker()));
  EXPECT_EQ("Heading", copy->GetCurrentText(false).GetUTF8String());
  EXPECT_EQ("H", copy->GetSourceMarkerName().GetUTF8String());
  InterfacePtr<IXRefCrossRefTextMarker> start(other, copy->GetStartMarker());
  InterfacePtr<IXRefCrossRefTextMarker> end(other, copy->GetEndMarker());
  EXPECT_EQ(list->GetCrossRefUID(1), start->GetMarkerCrossRef());
  EXPECT_EQ(list->GetCrossRefUID(1), end->GetMarkerCrossRef());
  EXPECT_EQ(copy->GetEndMarker(), start->GetPartnerMarker());
  EXPECT_EQ(copy->GetStartMarker(), end->GetPartnerMarker());
  InterfacePtr<IXRefPendingMarker> slot(other, target, IID_IXREFPENDINGMARKER);
  EXPECT_EQ(kInvalidUID, slot->GetPendingUID());
  // The source document is unchanged.
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefCount());
}

TEST_F(CrossRefTextMarkers, ALoneEndMarkerWaitsUntilTheNextPastedMarkerCompletesThePair) {
  DataBase* other = app_->NewDocument();
  const UID target = MakeStory(other, "ab");
  auto x = CrossRef(doc_, first_);
  const TextIndex end = x->GetEndIndex(), start = x->GetStartIndex() - 1;
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), end, 1));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(2)));
  InterfacePtr<IXRefPendingMarker> slot(other, target, IID_IXREFPENDINGMARKER);
  const UID pending = slot->GetPendingUID();
  ASSERT_NE(kInvalidUID, pending);
  EXPECT_EQ(kXRefCrossRefEndMarkerBoss, other->GetClass(pending));
  EXPECT_EQ(0, CrossRefList(other)->GetCrossRefCount());

  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), start, 1));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(0)));
  EXPECT_EQ(kInvalidUID, slot->GetPendingUID());
  ASSERT_EQ(1, CrossRefList(other)->GetCrossRefCount());
  auto copy = CrossRef(other, CrossRefList(other)->GetCrossRefUID(0));
  EXPECT_EQ(pending, copy->GetEndMarker());
  EXPECT_EQ(kXRefCrossRefStartMarkerBoss, other->GetClass(copy->GetStartMarker()));
  EXPECT_EQ("ab", copy->GetCurrentText(false).GetUTF8String());
}

TEST_F(CrossRefTextMarkers, APendingStartMarkerDoesNotCaptureTheStartOfTheNextPastedPair) {
  DataBase* other = app_->NewDocument();
  const UID target = MakeStory(other, "keep this text");
  auto x = CrossRef(doc_, first_);
  const TextIndex start = x->GetStartIndex() - 1, end = x->GetEndIndex() + 1;
  // A start marker with one letter, after the text.
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), start, 2));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(14)));
  InterfacePtr<IXRefPendingMarker> slot(other, target, IID_IXREFPENDINGMARKER);
  const UID lone = slot->GetPendingUID();
  ASSERT_EQ(kXRefCrossRefStartMarkerBoss, other->GetClass(lone));

  // A whole cross-reference at the story's start pairs its own two markers.
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), start, end - start));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(0)));
  ASSERT_EQ(1, CrossRefList(other)->GetCrossRefCount());
  const UID copy = CrossRefList(other)->GetCrossRefUID(0);
  EXPECT_EQ(kXRefCrossRefStartMarkerBoss, other->GetClass(CrossRef(other, copy)->GetStartMarker()));
  EXPECT_EQ(kXRefCrossRefEndMarkerBoss, other->GetClass(CrossRef(other, copy)->GetEndMarker()));
  EXPECT_NE(lone, CrossRef(other, copy)->GetStartMarker());
  EXPECT_EQ(kInvalidUID, slot->GetPendingUID());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(other, copy)));
  EXPECT_NE(std::string::npos, StoryText(other, target).find("keep this text")) << StoryText(other, target);
}

TEST_F(CrossRefTextMarkers, EachPasteOfOneCopyMakesItsOwnCrossReferenceAndSourceMarker) {
  DataBase* other = app_->NewDocument();
  const UID target = MakeStory(other, "ab");
  auto x = CrossRef(doc_, first_);
  const TextIndex start = x->GetStartIndex() - 1, end = x->GetEndIndex() + 1;
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), start, end - start));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(2)));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(0)));
  auto list = CrossRefList(other);
  ASSERT_EQ(2, list->GetCrossRefCount());
  EXPECT_NE(CrossRef(other, list->GetCrossRefUID(0))->GetStartMarker(),
            CrossRef(other, list->GetCrossRefUID(1))->GetStartMarker());
  for (int32 i = 0; i < 2; ++i) EXPECT_EQ("Heading", CurrentText(other, list->GetCrossRefUID(i)));

  // A source marker copied once and pasted twice.
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, source_), 0, 1));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(0)));
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(0)));
  EXPECT_EQ(2u, other->GetUIDsOfClass(kXRefSourceMarkerBoss).size());
}

TEST_F(CrossRefTextMarkers, DeletingAFootnoteDeletesTheCrossReferencesAndMarkersInItsText) {
  LayoutBuilder layout(doc_);
  const UID note = layout.AddFootnote(story_, 0, WideString("Note"));
  ASSERT_NE(kInvalidUID, note);
  InterfacePtr<IFootnote> footnote(doc_, note, IID_IFOOTNOTE);
  const UID noteStory = footnote->GetFootnoteStoryUID();
  footnote.reset();
  const UID inNote = InsertCrossRef(doc_, noteStory, [] {
    CrossRefRequest r;
    r.start = 2;
    r.marker = "H";
    return r;
  }());
  ASSERT_NE(kInvalidUID, inNote);
  const UID marker = InsertMarker(doc_, noteStory, 2, "InNote");
  ASSERT_NE(kInvalidUID, marker);
  const UID start = CrossRef(doc_, inNote)->GetStartMarker();
  ASSERT_EQ(3, CrossRefList(doc_)->GetCrossRefCount());

  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(0, 1)));
  EXPECT_FALSE(Exists(doc_, note));
  EXPECT_FALSE(Exists(doc_, inNote));
  EXPECT_FALSE(Exists(doc_, start));
  EXPECT_FALSE(Exists(doc_, marker));
  EXPECT_EQ((std::vector<UID>{first_, second_}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ(1, MarkerList(doc_)->GetMarkerCount());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ((std::vector<UID>{first_, second_, inNote}), UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ("Heading", CurrentText(doc_, inNote));
  EXPECT_EQ(2, MarkerList(doc_)->GetMarkerCount());
}

TEST_F(CrossRefTextMarkers, ACrossReferenceWithoutAnchoredMarkersComposesFromItsSourceAlone) {
  auto strand = StrandOf<IOwnedItemStrand>(doc_, story_, kOwnedItemStrandBoss);
  auto x = CrossRef(doc_, first_);
  for (UID marker : {x->GetStartMarker(), x->GetEndMarker()})
    ASSERT_TRUE(strand->SetOwnedItem(strand->FindOwnedItem(marker), doc_->GetClass(marker), kInvalidUID));
  ASSERT_EQ(0, x->GetStartIndex());
  EXPECT_EQ("Heading", x->ComposeText().GetUTF8String());
}

namespace {
const char kMisplaced[] = "The cross-reference's text markers are misplaced, so its text was left as it is.";
const char kEndGone[] = "The cross-reference's end marker has been deleted, so its text was left as it is.";

InterfacePtr<IOwnedItemStrand> OwnedItems(IDataBase* db, UID story) {
  InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
  return InterfacePtr<IOwnedItemStrand>(
      static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
}
TextIndex AnchorOf(IDataBase* db, UID item) { return InterfacePtr<IOwnedItem>(db, item)->GetTextIndex(); }
}  // namespace

// States only a damaged document leaves: each update of the first
// cross-reference changes no text in any story and reports the failure.
TEST_F(CrossRefTextMarkers, UpdateChangesNothingWhenTheMarkersAreMisplaced) {
  struct Markers {
    UID s1, e1, s2, e2;
  };
  const ClassID kStart = kXRefCrossRefStartMarkerBoss, kEnd = kXRefCrossRefEndMarkerBoss;
  const std::vector<std::pair<const char*, std::function<void(IDataBase*, UID, UID, const Markers&)>>> cases = {
      {"end at the final return, around the second",
       [&](IDataBase* db, UID story, UID, const Markers& m) {
         OwnedItems(db, story)->SetOwnedItem(CrossRef(db, second_)->GetEndIndex() + 2, kEnd, m.e1);
       }},
      {"interleaved with the second",
       [&](IDataBase* db, UID story, UID, const Markers& m) {
         const TextIndex e1 = AnchorOf(db, m.e1), s2 = AnchorOf(db, m.s2);
         OwnedItems(db, story)->SetOwnedItem(e1, kStart, m.s2);
         OwnedItems(db, story)->SetOwnedItem(s2, kEnd, m.e1);
       }},
      {"start after end",
       [&](IDataBase* db, UID story, UID, const Markers& m) {
         const TextIndex s1 = AnchorOf(db, m.s1), e1 = AnchorOf(db, m.e1);
         OwnedItems(db, story)->SetOwnedItem(e1, kStart, m.s1);
         OwnedItems(db, story)->SetOwnedItem(s1, kEnd, m.e1);
       }},
      {"start and end at one character",
       [&](IDataBase* db, UID story, UID, const Markers& m) {
         OwnedItems(db, story)->SetOwnedItem(AnchorOf(db, m.s1), kEnd, m.e1);
       }},
      {"end in another story",
       [&](IDataBase* db, UID, UID source, const Markers& m) { OwnedItems(db, source)->SetOwnedItem(3, kEnd, m.e1); }},
      {"start naming another story",
       [&](IDataBase* db, UID, UID source, const Markers& m) {
         InterfacePtr<IOwnedItem>(db, m.s1)->SetAnchorStory(source);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    SetUp();
    auto first = CrossRef(doc_, first_), second = CrossRef(doc_, second_);
    c.second(doc_, story_, source_,
             {first->GetStartMarker(), first->GetEndMarker(), second->GetStartMarker(), second->GetEndMarker()});
    const std::string story = StoryText(doc_, story_), source = StoryText(doc_, source_);
    ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, first_)));
    ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, first_)));
    EXPECT_EQ(story, StoryText(doc_, story_));
    EXPECT_EQ(source, StoryText(doc_, source_));
    EXPECT_TRUE(Exists(doc_, second_));
    EXPECT_TRUE(first->IsCompositionFailed());
    EXPECT_EQ(kMisplaced, first->GetCompositionStateMessage().GetUTF8String());
  }
}

TEST_F(CrossRefTextMarkers, ACrossReferenceWhoseEndMarkerWasDeletedKeepsItsTextThroughEveryUpdate) {
  auto first = CrossRef(doc_, first_);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(first->GetEndIndex(), 1)));
  const std::string text = StoryText(doc_, story_);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, first_)));
  EXPECT_EQ(text, StoryText(doc_, story_));
  EXPECT_TRUE(first->IsCompositionFailed());
  EXPECT_EQ(kEndGone, first->GetCompositionStateMessage().GetUTF8String());
  // The other one still updates.
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, second_)));
  EXPECT_EQ(0, CrossRef(doc_, second_)->GetCompositionState());
}
