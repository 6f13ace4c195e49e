// The document responder and the schedulers of several open documents:
// sources in other files, queuing when documents open and close, the repair
// of an opened document's list, and the plug-in's claim on saved documents.
#include "headless/database/DocumentFile.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/IDocument.h"
#include "host/IOwnedItemStrand.h"
#include "integration/XRefID.h"
#include "model/IXRefFormats.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
// A document with a story "<name> heading" whose paragraph holds a source
// marker called "Intro", and a second story for cross-references.
struct Doc {
  DataBase* db = nullptr;
  UID source = kInvalidUID, refs = kInvalidUID, marker = kInvalidUID;
};

class Responder : public ::testing::Test {
protected:
  Doc Make(const std::string& name) {
    Doc d;
    d.db = app_->NewDocument();
    SetLiveUpdates(d.db, true);
    d.source = MakeStory(d.db, name + " heading\rBody");
    d.refs = MakeStory(d.db, "See: ");
    LayoutBuilder layout(d.db);
    layout.AddSpread(1);
    layout.AddTextFrame(layout.PageUID(0), d.source, 40, 5);
    layout.AddTextFrame(layout.PageUID(0), d.refs, 40, 5, 0, 200);
    d.marker = InsertMarker(d.db, d.source, 0, "Intro");
    return d;
  }
  UID Refer(const Doc& d, const IDFile& source = IDFile()) {
    CrossRefRequest r;
    r.start = 5;
    r.marker = "Intro";
    r.source = source;
    const UID x = InsertCrossRef(d.db, d.refs, r);
    EXPECT_NE(kInvalidUID, x);
    return x;
  }
  // The source paragraph changes after its marker, and nothing reports it.
  void Touch(const Doc& d, const char16_t* text = u" new") {
    const std::string text8 = StoryText(d.db, d.source);
    const TextIndex end = WideString::FromUTF8(text8.substr(0, text8.find('\r'))).Length();
    ASSERT_EQ(kSuccess, Process(CmdsOf(d.db, d.source)->InsertCmd(end, WideString(text))));
  }
  void Save(const Doc& d, const std::string& file) {
    std::string error;
    ASSERT_TRUE(app_->SaveDocumentAs(d.db, dir_.File(file), &error)) << error;
  }
  DataBase* Open(const std::string& file) {
    std::string error;
    DataBase* db = app_->OpenDocument(dir_.File(file), &error);
    EXPECT_TRUE(db) << error;
    return db;
  }
  void Settle() {
    for (DataBase* db : app_->Documents()) Passes(db, 4);
  }

  TempDir dir_;
  VirtualClock clock_;
  TestApp app_{&clock_};
};
}  // namespace

TEST_F(Responder, AnUnsavedDocumentsMarkerTouchesNoOtherDocumentAndASavedOnesReachesItsReferrers) {
  Doc a = Make("Alpha");
  Save(a, "a.xrefdoc");
  Doc b = Make("Beta");
  const UID local = Refer(b);
  const UID external = Refer(b, IDFile(dir_.File("a.xrefdoc")));
  Doc c = Make("Gamma");  // never saved, with a marker of the same name
  Settle();
  Touch(a);
  Touch(b);
  RecompositionCounter heard(b.db);

  SchedulerOf(c.db)->MarkChanged(c.marker);
  Passes(c.db, 4);
  Passes(b.db, 4);
  EXPECT_EQ(0, heard.Count());

  SchedulerOf(a.db)->MarkChanged(a.marker);
  Passes(a.db, 2);
  Passes(b.db, 1);
  EXPECT_EQ("Alpha heading", CurrentText(b.db, external));
  Passes(b.db, 1);  // the second pass of its own scheduler
  EXPECT_EQ("Alpha heading new", CurrentText(b.db, external));
  EXPECT_EQ("Beta heading", CurrentText(b.db, local));
  EXPECT_EQ(1, heard.Count());
}

TEST_F(Responder, OpeningQueuesAllOfItsCrossReferencesAndOnlyTheExternalOnesOfOthers) {
  Doc d = Make("Delta");
  Save(d, "d.xrefdoc");
  Doc b = Make("Beta");
  const UID local = Refer(b);
  const UID external = Refer(b, IDFile(dir_.File("d.xrefdoc")));
  Doc a = Make("Alpha");
  const UID own = Refer(a);
  Touch(a);  // saved out of date
  Save(a, "a.xrefdoc");
  app_->CloseDocument(a.db);
  Settle();
  Touch(d);
  Touch(b);

  DataBase* opened = Open("a.xrefdoc");
  ASSERT_TRUE(opened);
  Passes(opened, 1);
  Passes(b.db, 1);
  EXPECT_EQ("Alpha heading", CurrentText(opened, own));
  Passes(opened, 1);
  Passes(b.db, 1);
  EXPECT_EQ("Alpha heading new", CurrentText(opened, own));
  EXPECT_EQ("Delta heading new", CurrentText(b.db, external));
  Passes(b.db, 4);
  EXPECT_EQ("Beta heading", CurrentText(b.db, local));
}

TEST_F(Responder, ClosingADocumentQueuesTheExternalCrossReferencesLeftOpen) {
  Doc d = Make("Delta");
  Save(d, "d.xrefdoc");
  Doc b = Make("Beta");
  const UID local = Refer(b);
  const UID external = Refer(b, IDFile(dir_.File("d.xrefdoc")));
  Doc e = Make("Epsilon");
  Settle();
  Touch(d);
  Touch(b);
  app_->CloseDocument(e.db);
  Passes(b.db, 2);
  EXPECT_EQ("Delta heading new", CurrentText(b.db, external));
  EXPECT_EQ("Beta heading", CurrentText(b.db, local));
}

TEST_F(Responder, OpenAndNewDocumentsRunTheirIdleTaskUntilTheyClose) {
  Doc b = Make("Beta");
  const UID x = Refer(b);
  Save(b, "b.xrefdoc");
  const size_t before = app_->Idle().TaskCount();
  Doc c = Make("Gamma");
  EXPECT_EQ(before + 1, app_->Idle().TaskCount());
  app_->CloseDocument(c.db);
  EXPECT_EQ(before, app_->Idle().TaskCount());

  app_->Idle().RunFor(1000);
  Touch(b);
  SchedulerOf(b.db)->MarkChanged(b.marker);
  app_->Idle().RunFor(1000);
  EXPECT_EQ("Beta heading new", CurrentText(b.db, x));
}

TEST_F(Responder, OpeningRemovesEntriesWhoseObjectOrMarkersAreGoneAndKeepsTheSoundOnes) {
  Doc a = Make("Alpha");
  const UID sound = Refer(a);
  const UID gone = Refer(a);
  const UID noStart = Refer(a);
  const UID noMarkers = Refer(a);
  const UID unanchored = Refer(a);
  auto strand = StrandOf<IOwnedItemStrand>(a.db, a.refs, kOwnedItemStrandBoss);
  ASSERT_TRUE(strand);
  auto dropMarker = [&](UID marker, ClassID cls) {
    const TextIndex at = strand->FindOwnedItem(marker);
    ASSERT_GE(at, 0);
    ASSERT_TRUE(strand->SetOwnedItem(at, cls, kInvalidUID));
    ASSERT_EQ(kSuccess, a.db->DeleteUID(marker));
  };
  const UID lonelyEnd = CrossRef(a.db, noStart)->GetEndMarker();
  dropMarker(CrossRef(a.db, noStart)->GetStartMarker(), kXRefCrossRefStartMarkerBoss);
  dropMarker(CrossRef(a.db, noMarkers)->GetStartMarker(), kXRefCrossRefStartMarkerBoss);
  dropMarker(CrossRef(a.db, noMarkers)->GetEndMarker(), kXRefCrossRefEndMarkerBoss);
  ASSERT_EQ(kSuccess, a.db->DeleteUID(gone));
  // Markers that exist but no character holds, as a deleted footnote's text
  // once left them.
  for (UID marker : {CrossRef(a.db, unanchored)->GetStartMarker(), CrossRef(a.db, unanchored)->GetEndMarker()})
    ASSERT_TRUE(strand->SetOwnedItem(strand->FindOwnedItem(marker), a.db->GetClass(marker), kInvalidUID));
  ASSERT_EQ(5, CrossRefList(a.db)->GetCrossRefCount());
  Save(a, "a.xrefdoc");
  app_->CloseDocument(a.db);

  DataBase* opened = Open("a.xrefdoc");
  ASSERT_TRUE(opened);
  EXPECT_EQ(std::vector<UID>{sound}, UIDsOf(CrossRefList(opened)->GetCrossRefs()));
  EXPECT_EQ(kInvalidClass, opened->GetClass(noStart));
  EXPECT_EQ(kInvalidClass, opened->GetClass(noMarkers));
  EXPECT_EQ(kInvalidClass, opened->GetClass(unanchored));
  auto reopened = StrandOf<IOwnedItemStrand>(opened, a.refs, kOwnedItemStrandBoss);
  EXPECT_EQ(-1, reopened->FindOwnedItem(lonelyEnd));
  EXPECT_EQ("Alpha heading", CurrentText(opened, sound));
}

TEST_F(Responder, SavingWithdrawsTheClaimOnlyFromADocumentWithoutMarkersOrCrossReferences) {
  app_->Idle().RunOnce();  // the start-up command gives the application its formats
  DataBase* plain = app_->NewDocument();
  InterfacePtr<IXRefFormats> formats(InterfacePtr<IDocument>(plain, kRootUID)->GetDocWorkspace());
  ASSERT_TRUE(formats);
  ASSERT_GT(formats->GetFormatCount(), 0);
  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(plain, dir_.File("plain.xrefdoc"), &error)) << error;
  Doc marked = Make("Alpha");
  Save(marked, "marked.xrefdoc");

  auto plainFile = DocumentFile::Load(dir_.File("plain.xrefdoc"), DocumentFile::kDocument, &error);
  auto markedFile = DocumentFile::Load(dir_.File("marked.xrefdoc"), DocumentFile::kDocument, &error);
  ASSERT_TRUE(plainFile && markedFile) << error;
  EXPECT_EQ(0u, plainFile->PluginData().count(kXRefPluginID));
  EXPECT_EQ(1u, markedFile->PluginData().count(kXRefPluginID));

  // Nothing is lost: opened with the plug-in, the formats are there.
  const int32 count = formats->GetFormatCount();
  formats.reset();
  app_->CloseDocument(plain);
  DataBase* reopened = Open("plain.xrefdoc");
  ASSERT_TRUE(reopened);
  InterfacePtr<IXRefFormats> kept(InterfacePtr<IDocument>(reopened, kRootUID)->GetDocWorkspace());
  ASSERT_TRUE(kept);
  EXPECT_EQ(count, kept->GetFormatCount());
}
