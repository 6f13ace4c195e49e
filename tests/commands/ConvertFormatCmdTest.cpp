// Converting a format to Basic formats: one per language, the blocks each
// gets, the warnings for what Basic formats cannot express, and the
// paragraph-style conditions kept for migration.
#include "engine/IXRefFormatMigrationData.h"
#include "headless/text/DocumentBuilder.h"
#include "host/IBasicXRefFormat.h"
#include "tests/support/BasicFormatTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class ConvertFormat : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    DocumentBuilder builder(doc_);
    emphasis_ = builder.AddCharacterStyle("Inline:Emphasis", AttributeBossList());
    chapter_ = builder.AddParagraphStyle("Heads:Chapter", AttributeBossList());
  }

  std::string Convert(const std::string& markup, const std::string& name = "F") {
    EXPECT_EQ(kSuccess, ::ConvertFormat(doc_, name, markup));
    return ConversionLog(doc_);
  }

  InterfacePtr<IXRefFormatMigrationData> Styles(const std::string& name) {
    InterfacePtr<IBasicXRefFormatList> list(doc_, kRootUID, IID_IBASICXREFFORMATLIST);
    return InterfacePtr<IXRefFormatMigrationData>(doc_, list->FindFormat(PMString(name.c_str())),
                                                  IID_IXREFFORMATMIGRATIONDATA);
  }

  std::string Entry(int number, const std::string& suffix = "", const std::string& name = "F") {
    return "[" + name + "] " + Warning(number) + suffix;
  }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID emphasis_ = kInvalidUID, chapter_ = kInvalidUID;
};
}  // namespace

TEST_F(ConvertFormat, APageNumberAloneNeedsNoWarningSinceTheDefaultsApply) {
  EXPECT_EQ("", Convert("<pagenum/>"));
  EXPECT_EQ(std::vector<std::string>{"F: page"}, BasicFormats(doc_));
}

TEST_F(ConvertFormat, ALanguageSectionMakesAFormatPerLanguageFromWhereItStarts) {
  EXPECT_EQ("", Convert("See <span lang=\" A ;B\"><paratext/> on page <pagenum/></span>, more"));
  EXPECT_EQ((std::vector<std::string>{
                "F: text 'See ' | text ', more'",
                "F (A): paratext | text ' on page ' | page | text ', more'",
                "F (B): paratext | text ' on page ' | page | text ', more'",
            }),
            BasicFormats(doc_));
  // A nested section keeps only the languages both name.
  ::ConvertFormat(doc_, "G", "<span lang='A;B'>x<span lang='B;C'>y</span></span>");
  const auto all = BasicFormats(doc_);
  EXPECT_EQ("G (A): text 'x'", all[3]);
  EXPECT_EQ("G (B): text 'x' | text 'y'", all[4]);
  EXPECT_EQ(5u, all.size());
}

TEST_F(ConvertFormat, CharacterStylesAreLookedUpWithTheirGroups) {
  Convert("<span cstyle='Inline:Emphasis'>a<chapnum/></span>b<paranum cstyle='Nowhere'/>");
  const std::string e = "/" + std::to_string(UIDValue(emphasis_));
  EXPECT_EQ(std::vector<std::string>{"F: text 'a'" + e + " | chapnum" + e + " | text 'b' | paranum"},
            BasicFormats(doc_));
}

TEST_F(ConvertFormat, WhatBasicFormatsCannotExpressIsLoggedUnderTheFormatsName) {
  const std::string log = Convert(
      "<fnnum/><filename fullpath='yes' extension='no'/><pagenum usethis='yes' usepage='yes' usesectionname='yes' "
      "forcearabic='yes' numbertype='actual'/><paranum numberonly='yes'/><paratext filterbycstyle='x' "
      "includesoftcr='yes' includetab='yes' retainfontstyle='yes'/><chapnum format='font-size: 9 pt'/><marker/>");
  const std::vector<std::string> expected = {
      Entry(4), Entry(5), Entry(6), Entry(6), Entry(7), Entry(8), Entry(9), Entry(10), Entry(11), Entry(12),
      Entry(13), Entry(14), Entry(15)};
  std::string joined;
  for (const std::string& e : expected) joined += (joined.empty() ? "" : "\n") + e;
  PMString three(Warning(3).c_str());
  StringUtils::ReplaceStringParameters(&three, PMString("chapnum"));
  joined += "\n[F] " + three.GetUTF8String() + "\n" + Entry(2, "marker");
  EXPECT_EQ(joined, log);
  EXPECT_EQ(std::vector<std::string>{"F: filename | page | paranum | paratext | chapnum"}, BasicFormats(doc_));
  EXPECT_NE(std::string::npos, Warning(4).find("footnote"));
}

TEST_F(ConvertFormat, TheFirstParagraphStyleConditionIsKeptAndResolved) {
  const std::string log = Convert("<paratext precedingpstyle='Heads:Chapter'/><pagenum followingpstyle='Body'/>");
  EXPECT_EQ(Entry(1), log);
  auto styles = Styles("F");
  ASSERT_TRUE(styles);
  EXPECT_EQ("Heads:Chapter", styles->GetFirstStyleName().GetUTF8String());
  EXPECT_EQ(chapter_, styles->GetFirstStyleRef());
  EXPECT_EQ("", styles->GetSecondStyleName().GetUTF8String());
  EXPECT_EQ(kInvalidUID, styles->GetSecondStyleRef());

  ::ConvertFormat(doc_, "G", "<paratext followingpstyle='Missing'/>");
  EXPECT_EQ("Missing", Styles("G")->GetSecondStyleName().GetUTF8String());
  EXPECT_EQ(kInvalidUID, Styles("G")->GetSecondStyleRef());
}

TEST_F(ConvertFormat, ConvertingAgainReplacesTheFormatAndUndoTakesItBack) {
  Convert("<pagenum/>");
  InterfacePtr<IBasicXRefFormatList> list(doc_, kRootUID, IID_IBASICXREFFORMATLIST);
  const UID first = list->FindFormat(PMString("F"));
  const std::string before = DocumentBytes(doc_);
  Convert("<paratext/>", "f");
  EXPECT_EQ(std::vector<std::string>{"f: paratext"}, BasicFormats(doc_));
  EXPECT_EQ(kInvalidClass, doc_->GetClass(first));
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ(std::vector<std::string>{"F: page"}, BasicFormats(doc_));
}

TEST_F(ConvertFormat, AFormatThatDoesNotParseQuietlyYieldsWhatWasReadBeforeTheFault) {
  EXPECT_EQ("", Convert("Text <paratext>"));
  EXPECT_EQ(kSuccess, ErrorUtils::PMGetGlobalErrorCode());
  // Unknown escapes stay as written.
  Convert("a^q", "G");
  EXPECT_EQ("G: text 'a^q'", BasicFormats(doc_).back());
}

TEST_F(ConvertFormat, BasicFormatsAndTheirStylesAreSavedWithTheDocument) {
  Convert("<span cstyle='Inline:Emphasis' lang='X'>a</span><paratext precedingpstyle='Heads:Chapter'/>");
  const std::vector<std::string> formats = BasicFormats(doc_);
  TempDir dir;
  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, dir.File("b.xrefdoc"), &error)) << error;
  app_->CloseDocument(doc_);
  doc_ = app_->OpenDocument(dir.File("b.xrefdoc"), &error);
  ASSERT_TRUE(doc_) << error;
  EXPECT_EQ(formats, BasicFormats(doc_));
  EXPECT_EQ(chapter_, Styles("F (X)")->GetFirstStyleRef());
  EXPECT_EQ("Heads:Chapter", Styles("F")->GetFirstStyleName().GetUTF8String());
}
