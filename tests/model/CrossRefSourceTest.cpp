// Sources in other documents, persistence of cross-references, and the
// list's lookups and broken counts.
#include "commands/XRefCommandID.h"
#include "host/FileUtils.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <filesystem>

namespace {
class CrossRefSources : public ::testing::Test {
protected:
  void SetUp() override {
    source_ = app_->NewDocument();
    const UID story = MakeStory(source_, "Chapter one");
    InsertMarker(source_, story, 0, "One");
    doc_ = app_->NewDocument();
    story_ = MakeStory(doc_, "See: ");
    std::filesystem::create_directories(dir_.File("a/b"));
    Save(source_, dir_.File("a/b/Source.xrefdoc"));
    Save(doc_, dir_.File("a/b/Refs.xrefdoc"));
  }

  void Save(DataBase* db, const std::string& path) {
    std::string error;
    ASSERT_TRUE(app_->SaveDocumentAs(db, path, &error)) << error;
  }
  DataBase* Open(const std::string& path) {
    std::string error;
    DataBase* db = app_->OpenDocument(path, &error);
    EXPECT_TRUE(db) << error;
    return db;
  }

  UID Insert(const std::string& marker, const IDFile& file, TextIndex at = 5, const std::string& format = "<paratext/>") {
    CrossRefRequest r;
    r.start = at;
    r.marker = marker;
    r.source = file;
    r.formatName = "Heading";
    r.format = format;
    return InsertCrossRef(doc_, story_, r);
  }

  TempDir dir_;
  TestApp app_;
  DataBase* source_ = nullptr;
  DataBase* doc_ = nullptr;
  UID story_ = kInvalidUID;
};
}  // namespace

TEST_F(CrossRefSources, AnOpenSourceDocumentIsTakenAndAClosedOneOnlyWhenAsked) {
  const IDFile file(dir_.File("a/b/Source.xrefdoc"));
  const UID x = Insert("one", file);
  EXPECT_EQ("Chapter one", CurrentText(doc_, x));
  EXPECT_TRUE(CrossRef(doc_, x)->IsExternal());

  app_->CloseDocument(source_);
  auto crossRef = CrossRef(doc_, x);
  EXPECT_TRUE(crossRef->IsSourceBroken());
  EXPECT_EQ("The source document \"" + file.GetPath() + "\" is not open.",
            crossRef->GetSourceStateMessage().GetUTF8String());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x), true));  // live: not opened
  EXPECT_EQ(1, crossRef->GetSourceState());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));  // by the user: opened
  EXPECT_EQ(0, crossRef->GetSourceState());
  EXPECT_EQ("Chapter one", CurrentText(doc_, x));
}

TEST_F(CrossRefSources, AMissingFileAndAMissingMarkerHaveTheirMessages) {
  const UID gone = Insert("one", IDFile(dir_.File("a/b/Gone.xrefdoc")));
  EXPECT_EQ("The source document \"" + dir_.File("a/b/Gone.xrefdoc") + "\" cannot be found.",
            CrossRef(doc_, gone)->GetSourceStateMessage().GetUTF8String());
  const UID missing = Insert("two", IDFile(dir_.File("a/b/Source.xrefdoc")), 0);
  EXPECT_EQ("The source marker \"two\" does not exist in the document \"" + dir_.File("a/b/Source.xrefdoc") + "\".",
            CrossRef(doc_, missing)->GetSourceStateMessage().GetUTF8String());
}

TEST_F(CrossRefSources, ADocumentOpenUnderTheSameNameInOtherCaseIsTaken) {
  const UID x = Insert("one", IDFile(dir_.File("a/b/SOURCE.XREFDOC")));
  EXPECT_EQ(0, CrossRef(doc_, x)->GetSourceState());
  EXPECT_EQ("Chapter one", CurrentText(doc_, x));
}

TEST_F(CrossRefSources, DocumentsMovedTogetherFindTheirSourceThroughTheRelativePath) {
  const UID x = Insert("one", IDFile(dir_.File("a/b/Source.xrefdoc")));
  std::string error;
  ASSERT_TRUE(app_->SaveDocument(doc_, &error)) << error;
  app_->CloseDocument(doc_);
  app_->CloseDocument(source_);
  std::filesystem::rename(dir_.File("a"), dir_.File("moved"));

  DataBase* doc = Open(dir_.File("moved/b/Refs.xrefdoc"));
  ASSERT_TRUE(doc);
  auto crossRef = CrossRef(doc, x);
  EXPECT_EQ(dir_.File("moved/b/Source.xrefdoc"), crossRef->GetSourceDocument().GetPath());
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc, x)));
  EXPECT_EQ(0, crossRef->GetSourceState());
  // The stored absolute path follows the move.
  ASSERT_TRUE(app_->SaveDocument(doc, &error)) << error;
  std::filesystem::remove(dir_.File("moved/b/Source.xrefdoc"));
  EXPECT_EQ(dir_.File("moved/b/Source.xrefdoc"), crossRef->GetSourceDocument().GetPath());
}

TEST_F(CrossRefSources, SavingAndOpeningKeepsFieldsAndOrderWithStatesUnknown) {
  const UID later = Insert("one", IDFile(dir_.File("a/b/Source.xrefdoc")));
  const UID earlier = Insert("local", IDFile(), 0, "<marker/>");
  const std::vector<UID> order = UIDsOf(CrossRefList(doc_)->GetCrossRefs());
  ASSERT_EQ((std::vector<UID>{earlier, later}), order);
  const GlobalTime stamped = CrossRef(doc_, later)->GetUpdateTime();
  std::string error;
  ASSERT_TRUE(app_->SaveDocument(doc_, &error)) << error;
  app_->CloseDocument(doc_);

  DataBase* doc = Open(dir_.File("a/b/Refs.xrefdoc"));
  ASSERT_TRUE(doc);
  EXPECT_EQ(order, UIDsOf(CrossRefList(doc)->GetCrossRefs()));
  auto x = CrossRef(doc, later);
  EXPECT_EQ("one", x->GetSourceMarkerName().GetUTF8String());
  EXPECT_EQ("Heading", x->GetFormatName().GetUTF8String());
  EXPECT_EQ("<paratext/>", x->GetFormatString().GetUTF8String());
  EXPECT_EQ(dir_.File("a/b/Source.xrefdoc"), x->GetSourceDocument().GetPath());
  EXPECT_EQ(stamped, x->GetUpdateTime());
  EXPECT_EQ("Chapter one", x->GetCurrentText(false).GetUTF8String());
  for (UID uid : order) {
    EXPECT_EQ(-1, CrossRef(doc, uid)->GetSourceState());
    EXPECT_EQ(-1, CrossRef(doc, uid)->GetCompositionState());
  }
  EXPECT_EQ("The source has not been looked up yet.", x->GetSourceStateMessage().GetUTF8String());
  EXPECT_EQ(kXRefCrossRefStartMarkerBoss, doc->GetClass(x->GetStartMarker()));
}

TEST_F(CrossRefSources, TheListsFindByFormatMarkerAndDocumentAndCountTheBroken) {
  const IDFile file(dir_.File("a/b/Source.xrefdoc"));
  const IDFile gone(dir_.File("a/b/Gone.xrefdoc"));
  const UID a = Insert("One", file, 5);
  const UID b = Insert("other", file, 0);
  const UID c = Insert("one", gone, 0);
  const UID d = Insert("one", gone, 0);
  const UID e = Insert("nowhere", IDFile(), 0, "<marker/>");
  auto list = CrossRefList(doc_);
  EXPECT_EQ((std::vector<UID>{e, d, c, b, a}), UIDsOf(list->GetCrossRefs()));
  EXPECT_EQ(5, static_cast<int32>(list->GetCrossRefsByFormat(PMString("HEADING")).Length()));
  EXPECT_EQ((std::vector<UID>{d, c, a}), UIDsOf(list->GetCrossRefsBySourceMarker(PMString("ONE"))));
  EXPECT_EQ((std::vector<UID>{b, a}), UIDsOf(list->GetCrossRefsBySourceDocument(file)));
  // Both lists must agree: by document and by marker.
  EXPECT_EQ(std::vector<UID>{a}, UIDsOf(list->GetCrossRefsBySource(file, PMString("one"))));
  EXPECT_TRUE(list->GetCrossRefsBySource(file, PMString("absent")).IsEmpty());
  EXPECT_EQ(1, list->GetBrokenLocalCount());
  // The marker "other" is missing from an open document: broken too.
  EXPECT_EQ(3, list->GetBrokenExternalCount());
  ASSERT_EQ(2, list->GetUnreachableDocumentCount());
  EXPECT_EQ(gone, list->GetUnreachableDocument(0));
  EXPECT_EQ(file, list->GetUnreachableDocument(1));
  EXPECT_TRUE(list->GetUnreachableDocument(2).IsEmpty());

  // Adding what is listed changes nothing, however often it is asked.
  for (int i = 0; i < 100; ++i) list->AddCrossRef(a, -1);
  ASSERT_EQ(5, list->GetCrossRefCount());
  ASSERT_EQ(kSuccess, RunOn(kXRefRemoveCrossRefCmdBoss, UIDRef(doc_, c)));
  EXPECT_EQ(2, list->GetBrokenExternalCount());
  EXPECT_EQ(-1, list->RemoveCrossRef(c));
  // A list read back by an undo knows again what it holds.
  doc_->Undo();
  ASSERT_EQ(5, list->GetCrossRefCount());
  for (int i = 0; i < 100; ++i) list->AddCrossRef(c, -1);
  EXPECT_EQ(5, list->GetCrossRefCount());
}
