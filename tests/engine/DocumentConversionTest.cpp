// Documents of the plug-in's data versions 1.0 and 1.1 are converted while
// they open; documents of newer versions are refused.
#include "engine/IXRefConversionLog.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/objects/Clock.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/OldDocumentWriter.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <fstream>
#include <sstream>

namespace {
constexpr uint32 kPlugin = 0xF2C00;

class DocumentConversion : public ::testing::Test {
protected:
  // Two stories; markers "B" and "A" in the first (B inserted first, A
  // before it), "C" in the second; a cross-reference to A in the second.
  void SetUp() override {
    clock_.Advance(100000);
    DataBase* doc = app_->NewDocument();
    first_ = MakeStory(doc, "Alpha beta gamma");
    second_ = MakeStory(doc, "Delta and more text");
    LayoutBuilder layout(doc);
    layout.AddSpread(1);
    layout.AddTextFrame(layout.PageUID(0), first_, 40, 5);
    layout.AddTextFrame(layout.PageUID(0), second_, 40, 5, 0, 200);
    InsertMarker(doc, first_, 6, "B");
    InsertMarker(doc, first_, 0, "A");
    InsertMarker(doc, second_, 2, "C");
    CrossRefRequest r;
    r.start = 10;
    r.marker = "A";
    crossRef_ = InsertCrossRef(doc, second_, r);
    ASSERT_NE(kInvalidUID, crossRef_);
    ASSERT_NE(0, CrossRef(doc, crossRef_)->GetUpdateTime().GetTime());
    builtText_ = CurrentText(doc, crossRef_);
    ASSERT_FALSE(builtText_.empty());
    built_ = doc;
  }

  // Opens the file, after closing what is open besides the built document.
  DataBase* Open(const std::string& path, std::string* error) {
    for (DataBase* open : app_->Documents())
      if (open != built_) app_->CloseDocument(open);
    return app_->OpenDocument(path, error);
  }

  DataBase* WriteAndOpen(const OldDocumentOptions& options) {
    EXPECT_TRUE(WriteOldDocument(*built_, options, path_));
    std::string error;
    DataBase* doc = Open(path_, &error);
    EXPECT_TRUE(doc) << error;
    return doc;
  }

  VirtualClock clock_;
  TestApp app_{&clock_};
  TempDir dir_;
  const std::string path_ = dir_.File("old.xrefdoc");
  DataBase* built_ = nullptr;
  std::string builtText_;
  UID first_ = kInvalidUID, second_ = kInvalidUID, crossRef_ = kInvalidUID;
};
}  // namespace

TEST_F(DocumentConversion, A10DocumentGetsItsMarkerListRebuiltInStoryAndTextOrder) {
  OldDocumentOptions options;
  options.version = 100;
  const std::string old = OldDocumentBytes(*built_, options);
  ASSERT_EQ(100, StoredDataVersion(old, kPlugin));
  ASSERT_EQ(2u, ImplementationRecords(old, IdValue(kXRefCrossRefAttrReportImpl)).size());
  ASSERT_TRUE(ImplementationRecords(old, IdValue(kXRefSourceMarkerListImpl)).empty());

  DataBase* doc = WriteAndOpen(options);
  ASSERT_TRUE(doc);
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), ListedNames(doc));
  const UIDList markers = MarkerList(doc)->GetMarkers();
  for (UID marker : markers.Items())
    EXPECT_EQ(0, Marker(doc, marker)->GetMarkerTime().GetTime());
  EXPECT_EQ(100, doc->ConvertedFrom()[PluginID{kPlugin}]);
  EXPECT_EQ(102, doc->PluginData()[PluginID{kPlugin}]);
  EXPECT_TRUE(doc->IsModified());

  // Saved, it is a 1.2 document without attribute reports, and reopening
  // it converts nothing and reads the same.
  std::string error;
  ASSERT_TRUE(app_->SaveDocument(doc, &error)) << error;
  const std::string saved = FileBytes(path_);
  EXPECT_EQ(102, StoredDataVersion(saved, kPlugin));
  EXPECT_TRUE(ImplementationRecords(saved, IdValue(kXRefCrossRefAttrReportImpl)).empty());
  doc = Open(path_, &error);
  ASSERT_TRUE(doc) << error;
  EXPECT_TRUE(doc->ConvertedFrom().empty());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), ListedNames(doc));
  EXPECT_EQ(saved, DocumentBytes(doc));
}

TEST_F(DocumentConversion, A11CrossReferenceGetsItsOldPathTwiceAndNoUpdateTime) {
  // Left out of the list, a marker shows that a 1.1 document is not rescanned.
  MarkerList(built_)->RemoveMarker(MarkerList(built_)->GetMarkers().At(2));
  OldDocumentOptions options;
  options.version = 101;
  options.crossRefPath = "/elsewhere/Source.xrefdoc";
  DataBase* doc = WriteAndOpen(options);
  ASSERT_TRUE(doc);
  EXPECT_EQ((std::vector<std::string>{"A", "B"}), ListedNames(doc));
  EXPECT_EQ(101, doc->ConvertedFrom()[PluginID{kPlugin}]);
  auto crossRef = CrossRef(doc, crossRef_);
  ASSERT_TRUE(crossRef);
  EXPECT_EQ(0, crossRef->GetUpdateTime().GetTime());
  EXPECT_EQ("A", crossRef->GetSourceMarkerName().GetUTF8String());
  EXPECT_EQ(builtText_, CurrentText(doc, crossRef_));
  std::string error;
  ASSERT_TRUE(app_->SaveDocument(doc, &error)) << error;
  const auto records = ImplementationRecords(FileBytes(path_), IdValue(kXRefCrossRefImpl));
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ((std::vector<std::string>{"/elsewhere/Source.xrefdoc", "/elsewhere/Source.xrefdoc"}),
            CrossRefRecordPaths(records[0]));
}

TEST_F(DocumentConversion, DocumentsOfNewerOrUnknownVersionsAreRefusedWithAReason) {
  const std::pair<int32, std::string> refused[] = {
      {103, "data version 1.3 of plug-in 0xF2C00, newer than the loaded plug-in's 1.2"},
      {200, "newer than the loaded plug-in's 1.2"},
      {9, "data version 0.9 of plug-in 0xF2C00, which cannot be converted to 1.2"},
  };
  for (const auto& r : refused) {
    OldDocumentOptions options;
    options.version = r.first;
    ASSERT_TRUE(WriteOldDocument(*built_, options, path_));
    std::string error;
    EXPECT_FALSE(Open(path_, &error)) << r.first;
    EXPECT_NE(std::string::npos, error.find(r.second)) << error;
    EXPECT_NE(std::string::npos, error.find(path_)) << error;
  }
}

TEST_F(DocumentConversion, ARecordNotInTheOldLayoutFailsTheOpening) {
  // Said to be 1.1, but the cross-reference is in the current layout: the
  // conversion does not read it to its end, and nothing opens.
  OldDocumentOptions options;
  options.version = 101;
  options.rewriteRecords = false;
  ASSERT_TRUE(WriteOldDocument(*built_, options, path_));
  std::string error;
  EXPECT_FALSE(Open(path_, &error));
  EXPECT_NE(std::string::npos, error.find("(implementation 0xF2C0B) cannot be converted")) << error;
  EXPECT_EQ(std::vector<DataBase*>{built_}, app_->Documents());
}

TEST(ConversionLog, EntriesAreBracketedTagsOneALine) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  InterfacePtr<IXRefConversionLog> log(doc, kRootUID, IID_IXREFCONVERSIONLOG);
  ASSERT_TRUE(log);
  EXPECT_TRUE(log->IsEmpty());
  log->AddEntry(PMString("A"), PMString("x"));
  EXPECT_EQ("[A] x", log->GetLog().GetUTF8String());
  log->AddEntry(PMString("B"), PMString("y"));
  EXPECT_FALSE(log->IsEmpty());
  EXPECT_EQ("[A] x\n[B] y", log->GetLog().GetUTF8String());
}

TEST_F(DocumentConversion, DescribeSaysFromWhichVersionADocumentWasConverted) {
  OldDocumentOptions options;
  options.version = 100;
  ASSERT_TRUE(WriteOldDocument(*built_, options, path_));
  ProgramRun r = RunXref("describe " + path_, false);
  ASSERT_EQ(0, r.exitCode) << r.out;
  EXPECT_NE(std::string::npos,
            r.out.find("plug-in 0xF2C00: data version 1.2 (converted on opening from data version 1.0)\n"))
      << r.out;
  // The file itself is left as it was.
  EXPECT_EQ(100, StoredDataVersion(FileBytes(path_), kPlugin));
  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(built_, path_, &error)) << error;
  EXPECT_EQ(std::string::npos, RunXref("describe " + path_, false).out.find("converted"));
}
