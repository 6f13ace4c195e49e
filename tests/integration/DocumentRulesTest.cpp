// Where one part's work met another's and broke a rule of the document:
// each case as the randomized check first found it, pinned.
#include "headless/application/DocumentBytes.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/TextClipboard.h"
#include "host/CmdUtils.h"
#include "host/IFootnote.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefDocumentIntegrity.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
const std::string kAnchor = "\xEF\xBB\xBF";

class DocumentRules : public testing::Test {
protected:
  void SetUp() override {
    TextClipboard::Clear();
    doc_ = app_->NewDocument();
    story_ = MakeStory(doc_, "Heading\rBody text here");
    doc_->ClearUndo();
  }
  void TearDown() override { TextClipboard::Clear(); }

  DataBase* Reopen(DataBase* doc) {
    const std::string path = dir_.File("doc.xrefdoc");
    std::string error;
    EXPECT_TRUE(app_->SaveDocumentAs(doc, path, &error)) << error;
    app_->CloseDocument(doc);
    DataBase* opened = app_->OpenDocument(path, &error);
    EXPECT_NE(nullptr, opened) << error;
    return opened;
  }

  // A cross-reference at `start` to a marker at the story's start.
  UID CrossRefAt(TextIndex start) {
    if (MarkerList(doc_)->GetMarkerCount() == 0) {
      EXPECT_NE(kInvalidUID, InsertMarker(doc_, story_, 0, "Top"));
    }
    CrossRefRequest request;
    request.start = start;
    request.marker = "Top";
    const UID crossRef = InsertCrossRef(doc_, story_, request);
    EXPECT_NE(kInvalidUID, crossRef);
    return crossRef;
  }

  TestApp app_;
  TempDir dir_;
  DataBase* doc_ = nullptr;
  UID story_ = kInvalidUID;
};
}  // namespace

// A save withdraws the plug-in's claim on a document that holds none of its
// objects; a redo that brings objects back must bring the claim back too.
TEST_F(DocumentRules, RedoAfterASaveOfTheUndoneStateKeepsThePlugInsData) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, story_, 2, "Intro"));
  const std::string after = BytesToSave(doc_);
  ASSERT_TRUE(doc_->Undo());
  BytesToSave(doc_);  // withdraws the claim: nothing of the plug-in is left
  ASSERT_TRUE(doc_->Redo());
  EXPECT_EQ(after, BytesToSave(doc_));
  DataBase* opened = Reopen(doc_);
  ASSERT_NE(nullptr, opened);
  EXPECT_EQ(std::vector<std::string>{"Intro"}, ListedNames(opened));
}

// The copied marker was undone away before the paste: its invisible
// character goes with it instead of standing bare in the text.
TEST_F(DocumentRules, APasteDropsTheAnchorOfAnItemItCannotPaste) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, story_, 2, "Intro"));
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), 0, 5));
  ASSERT_EQ("He" + kAnchor + "ad", StoryText(doc_, story_).substr(0, 7));
  ASSERT_TRUE(doc_->Undo());
  DataBase* other = app_->NewDocument();
  const UID target = MakeStory(other, "x");
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(0)));
  EXPECT_EQ("Headx\r", StoryText(other, target));
  // The same once the copied text's document has closed.
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, story_, 2, "Intro"));
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), 0, 5));
  app_->CloseDocument(doc_);
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, target)->PasteCmd(0)));
  EXPECT_EQ("HeadHeadx\r", StoryText(other, target));
  EXPECT_TRUE(XRefDocumentIntegrity::FindDamage(other).empty());
}

// Deleting a start marker's character deletes its cross-reference; the end
// marker left behind must not name the UID, which a new object takes once
// the document is opened again.
TEST_F(DocumentRules, AnEndMarkerLeftBehindNamesNoCrossReference) {
  const UID crossRef = CrossRefAt(12);
  ASSERT_NE(kInvalidUID, crossRef);
  const UID end = CrossRef(doc_, crossRef)->GetEndMarker();
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(12, 2)));  // the start marker and one character
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefCount());
  InterfacePtr<IXRefCrossRefTextMarker> marker(doc_, end);
  ASSERT_TRUE(marker);
  EXPECT_EQ(kInvalidUID, marker->GetMarkerCrossRef());
  DataBase* opened = Reopen(doc_);
  ASSERT_NE(nullptr, opened);
  ASSERT_NE(kInvalidUID, InsertMarker(opened, story_, 0, "Next"));
  EXPECT_TRUE(XRefDocumentIntegrity::FindDamage(opened).empty());
}

// An object anchored inside a cross-reference's text keeps an update from
// replacing it; the check, which must agree with the update, calls it failed.
TEST_F(DocumentRules, TheCheckCallsFailedWhatTheUpdateCannotReplace) {
  const UID crossRef = CrossRefAt(12);
  ASSERT_NE(kInvalidUID, crossRef);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->InsertCmd(1, WideString::FromUTF8("x"))));  // now stale
  {
    CmdUtils::SequenceContext seq(PMString("footnote"));
    LayoutBuilder layout(doc_);
    layout.AddSpread(1);
    ASSERT_NE(kInvalidUID, layout.AddFootnote(story_, 15, WideString::FromUTF8("note")));
  }
  const std::string text = CurrentText(doc_, crossRef);
  const XRefEvaluation evaluation = CrossRef(doc_, crossRef)->Evaluate();
  EXPECT_TRUE(evaluation.sourceFound);
  EXPECT_FALSE(evaluation.composes);
  EXPECT_TRUE(evaluation.IsFinding());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, crossRef)));
  EXPECT_EQ(text, CurrentText(doc_, crossRef));
}

// Text that holds one cross-reference's end marker and the next one's start
// marker, pasted, gives no cross-reference running backwards.
TEST_F(DocumentRules, AnEndAndANextStartPastedMakeNoCrossReference) {
  const UID second = CrossRefAt(20);
  const UID first = CrossRefAt(12);
  ASSERT_NE(kInvalidUID, first);
  ASSERT_NE(kInvalidUID, second);
  const TextIndex from = CrossRef(doc_, first)->GetEndIndex();
  const TextIndex to = CrossRef(doc_, second)->GetStartIndex();  // just after its start marker
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), from, to - from));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->PasteCmd(1)));
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_TRUE(XRefDocumentIntegrity::FindDamage(doc_).empty());
}

// A footnote's reference moved into the footnote's own text would make
// deleting the footnote delete itself without end.
TEST_F(DocumentRules, AFootnoteReferenceCannotMoveIntoItsOwnFootnote) {
  UID note = kInvalidUID;
  {
    CmdUtils::SequenceContext seq(PMString("footnote"));
    LayoutBuilder layout(doc_);
    layout.AddSpread(1);
    note = layout.AddFootnote(story_, 3, WideString::FromUTF8("note"));
  }
  InterfacePtr<IFootnote> footnote(doc_, note, IID_IFOOTNOTE);
  ASSERT_TRUE(footnote);
  const UID noteStory = footnote->GetFootnoteStoryUID();
  const std::string before = DocumentBytes(doc_);
  EXPECT_EQ(kMoveIntoItselfError, Process(CmdsOf(doc_, story_)->MoveCmd(0, 9, noteStory, 2)));
  EXPECT_EQ(before, DocumentBytes(doc_));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(0, 9)));
  EXPECT_FALSE(doc_->IsValidUID(note));
}
