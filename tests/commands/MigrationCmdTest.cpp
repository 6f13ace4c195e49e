// Migrating a whole document between native cross-references and this
// system's: the mark-up each Basic format becomes, markers and anchors, the
// cross-references carried over or left with a warning, the log presented
// only when it holds something, and one undo step each.
#include "commands/XRefCommandID.h"
#include "commands/XRefMigrationID.h"
#include "headless/objects/Host.h"
#include "headless/text/DocumentBuilder.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/IDocument.h"
#include "host/IHyperlinks.h"
#include "host/ISession.h"
#include "host/ISubject.h"
#include "host/TextAttr.h"
#include "model/IXRefFormats.h"
#include "tests/support/BasicFormatTestSupport.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/NativeCrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <algorithm>
#include <map>

namespace {
using B = XRefBuildingBlock;

class Migration : public ::testing::Test {
protected:
  void SetUp() override {
    app_->Idle().RunOnce();  // the start-up work
    doc_ = app_->NewDocument();
    DocumentBuilder builder(doc_);
    strong_ = builder.AddCharacterStyle("Inline:Strong", AttributeBossList());
    head_ = builder.AddParagraphStyle("Head", AttributeBossList());
    destinations_ = builder.NewStory();
    builder.AddParagraph(destinations_, head_);
    builder.AddRun(destinations_, WideString::FromUTF8("Chapter one"));
    builder.AddParagraph(destinations_);
    builder.AddRun(destinations_, WideString::FromUTF8("Body text here"));
    references_ = MakeStory(doc_, "Ref one, ref two, ref three.");
    app_->Idle().RunOnce();
    ASSERT_EQ(0u, Host::Get().ScheduledCount());
    // Only the formats a test adds: the defaults would log their own warnings.
    InterfacePtr<IXRefFormats> formats(Formats());
    while (formats->GetFormatCount() > 0) formats->RemoveFormat(0);
  }

  InterfacePtr<IXRefFormats> Formats() {
    InterfacePtr<IDocument> document(doc_, kRootUID, IID_IDOCUMENT);
    return InterfacePtr<IXRefFormats>(document->GetDocWorkspace(), IID_IXREFFORMATS);
  }

  ErrorCode Migrate(ClassID cls) { return RunOn(cls, UIDRef(doc_, kRootUID)); }

  std::string ProMarkup(const std::string& name) {
    InterfacePtr<IXRefFormats> formats(Formats());
    const int32 at = formats->FindFormat(PMString(name.c_str()));
    return at < 0 ? "(none)" : formats->GetFormatString(at).GetUTF8String();
  }

  UID LocalCrossRef(TextIndex start, int32 length, const std::string& marker, const std::string& formatName,
                    const std::string& format) {
    CrossRefRequest r;
    r.start = start;
    r.length = length;
    r.marker = marker;
    r.formatName = formatName;
    r.format = format;
    return InsertCrossRef(doc_, references_, r);
  }

  std::string StoryOf(UID story) { return StoryText(doc_, story); }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID strong_ = kInvalidUID, head_ = kInvalidUID, destinations_ = kInvalidUID, references_ = kInvalidUID;
};
}  // namespace

TEST_F(Migration, EachBasicFormatBecomesTheMarkupOfItsBlocks) {
  MakeBasicFormat(doc_, "Plain", {Block(B::kCustomText, "See also ")});
  MakeBasicFormat(doc_, "Styled", {Block(B::kCustomText, "Look", strong_)});
  MakeBasicFormat(doc_, "Full", {Block(B::kFullParagraph)});
  MakeBasicFormat(doc_, "FullStyled", {Block(B::kFullParagraph, "", strong_)});
  MakeBasicFormat(doc_, "Rest", {Block(B::kFileName), Block(B::kChapterNumber), Block(B::kPageNumber),
                                 Block(B::kParagraphNumber), Block(B::kParagraphText), Block(B::kTextAnchorName),
                                 Block(B::kNoType)});
  MakeBasicFormat(doc_, "Literal", {Block(B::kCustomText, "a<b & c^d")});
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateBasicToProCmdBoss));
  EXPECT_EQ("See also ", ProMarkup("Plain"));
  EXPECT_EQ("<span  cstyle=\"Inline:Strong\">Look</span>", ProMarkup("Styled"));
  EXPECT_EQ("<paranum numberonly=\"yes\" noerror=\"yes\"/><paratext/>", ProMarkup("Full"));
  EXPECT_EQ("<paranum numberonly=\"yes\" noerror=\"yes\" cstyle=\"Inline:Strong\"/><paratext cstyle=\"Inline:Strong\"/>",
            ProMarkup("FullStyled"));
  EXPECT_EQ("<filename/><chapnum/><pagenum/><paranum numberonly=\"yes\"/><paratext/><marker/>", ProMarkup("Rest"));
  // Literal text reads back as itself, whatever the mark-up makes of "<", "&" and "^".
  EXPECT_EQ("a&lt;b &amp; c^^d", ProMarkup("Literal"));
}

TEST_F(Migration, AnchorsBecomeSourceMarkersUnlessOneHasTheirNameAndNativeCrossReferencesMoveOver) {
  const UID heading = MakeAnchor(doc_, destinations_, 0, "Chap");
  MakeAnchor(doc_, destinations_, 12, "Body");
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 20, "BODY"));  // same name, other case
  const UID format = MakeBasicFormat(doc_, "Name", {Block(B::kCustomText, "see "), Block(B::kParagraphText)});
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, references_, 0, 3, format, heading));  // "Ref"
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(doc_));
  ASSERT_EQ("see Chapter one one, ref two, ref three.\r", StoryOf(references_));
  const std::string before = DocumentBytes(doc_);

  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateBasicToProCmdBoss));
  EXPECT_EQ((std::vector<std::string>{"Chap", "BODY"}), ListedNames(doc_));
  EXPECT_TRUE(NativeCrossRefs(doc_).empty());
  ASSERT_EQ(1, CrossRefList(doc_)->GetCrossRefCount());
  InterfacePtr<IXRefCrossRef> crossRef(CrossRefList(doc_)->QueryCrossRef(0));
  EXPECT_EQ("Chap", crossRef->GetSourceMarkerName().GetUTF8String());
  EXPECT_EQ("Name", crossRef->GetFormatName().GetUTF8String());
  EXPECT_EQ("see Chapter one", CurrentText(doc_, CrossRefList(doc_)->GetCrossRefUID(0)));
  // The heading's anchor served only the native cross-reference; the other stays.
  InterfacePtr<IHyperlinkList> links(doc_, kRootUID, IID_IHYPERLINKLIST);
  EXPECT_EQ(kInvalidUID, links->FindDestination(PMString("Chap")));
  EXPECT_NE(kInvalidUID, links->FindDestination(PMString("Body")));

  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
}

TEST_F(Migration, CrossReferencesBecomeNativeOnesOverTheirTextAndMarkers) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 0, "Chap"));
  ASSERT_NE(kInvalidUID, LocalCrossRef(0, 3, "Chap", "Named", "[<paratext/>]"));
  Formats()->AddFormat(PMString("Named"), PMString("[<paratext/>]"));
  const std::string before = DocumentBytes(doc_);

  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  EXPECT_EQ("[Chapter one] one, ref two, ref three.\r", StoryOf(references_));
  EXPECT_EQ("Chapter one\rBody text here\r", StoryOf(destinations_));  // the marker's character is gone
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_EQ(0, MarkerList(doc_)->GetMarkerCount());
  EXPECT_EQ(std::vector<std::string>{"[Chapter one]"}, NativeTexts(doc_));
  EXPECT_EQ(0u, Host::Get().ScheduledCount());  // nothing logged, nothing to present

  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
}

TEST_F(Migration, CustomFormatsGetTheFirstFreeCustomNames) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 0, "Chap"));
  // Later ones first, so that the earlier text stays where it is.
  ASSERT_NE(kInvalidUID, LocalCrossRef(9, 3, "Chap", "", "B <paratext/>"));
  ASSERT_NE(kInvalidUID, LocalCrossRef(0, 3, "Chap", "", "A <paratext/>"));
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  InterfacePtr<IBasicXRefFormatList> list(doc_, kRootUID, IID_IBASICXREFFORMATLIST);
  EXPECT_NE(kInvalidUID, list->FindFormat(PMString("Custom Format 1")));
  EXPECT_NE(kInvalidUID, list->FindFormat(PMString("Custom Format 2")));
  EXPECT_EQ(kInvalidUID, list->FindFormat(PMString("Custom Format 3")));
  EXPECT_EQ((std::vector<std::string>{"A Chapter one", "B Chapter one"}), NativeTexts(doc_));
}

TEST_F(Migration, ACustomNameTakenAlreadyIsSkipped) {
  MakeBasicFormat(doc_, "custom format 1", {Block(B::kCustomText, "x")});
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 0, "Chap"));
  ASSERT_NE(kInvalidUID, LocalCrossRef(0, 3, "Chap", "", "C <paratext/>"));
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  InterfacePtr<IBasicXRefFormatList> list(doc_, kRootUID, IID_IBASICXREFFORMATLIST);
  InterfacePtr<IBasicXRefFormat> first(doc_, list->FindFormat(PMString("Custom Format 1")), IID_IBASICXREFFORMAT);
  EXPECT_EQ(1u, first->GetBuildingBlocks().size());  // untouched
  EXPECT_NE(kInvalidUID, list->FindFormat(PMString("Custom Format 2")));
  EXPECT_EQ(std::vector<std::string>{"C Chapter one"}, NativeTexts(doc_));
}

TEST_F(Migration, AnExternalCrossReferenceStaysWithWarning16AndTheLogIsPresented) {
  TempDir dir;
  CrossRefRequest r;
  r.start = 0;
  r.length = 3;
  r.marker = "Elsewhere";
  r.source = IDFile(dir.File("other.xref"));
  const UID external = InsertCrossRef(doc_, references_, r);
  ASSERT_NE(kInvalidUID, external);
  const std::string display = CrossRef(doc_, external)->GetDisplayText().GetUTF8String();
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  EXPECT_EQ(1, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_TRUE(NativeCrossRefs(doc_).empty());
  const std::string entry = "[" + display + "] " + Warning(16);
  EXPECT_NE(std::string::npos, ConversionLog(doc_).find(entry));
  ASSERT_EQ(1u, Host::Get().ScheduledCount());
  app_->Alerts().Clear();
  app_->Idle().RunOnce();
  ASSERT_FALSE(app_->Alerts().History().empty());
  EXPECT_EQ(ConversionLog(doc_), app_->Alerts().History().back().message);
}

TEST_F(Migration, AParagraphStyleConditionPointsAtTheStyledParagraphOrIsLogged) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 17, "Deep"));  // in "Body text here"
  const UID following = LocalCrossRef(9, 3, "Deep", "", "<paratext followingpstyle=\"Head\"/>");
  ASSERT_NE(kInvalidUID, LocalCrossRef(0, 3, "Deep", "", "<paratext precedingpstyle=\"Head\"/>"));
  const std::string display = CrossRef(doc_, following)->GetDisplayText().GetUTF8String();
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  InterfacePtr<IHyperlinkList> links(doc_, kRootUID, IID_IHYPERLINKLIST);
  const UID made = links->FindDestination(PMString("Deep (Preceding style Head)"));
  ASSERT_NE(kInvalidUID, made);
  InterfacePtr<IHyperlinkDestination> place(doc_, made, IID_IHYPERLINKDESTINATION);
  EXPECT_EQ(0, place->GetIndex());
  const std::vector<std::string> texts = NativeTexts(doc_);
  ASSERT_EQ(2u, texts.size());
  EXPECT_EQ("Chapter one", texts[0]);     // the heading before the marker
  EXPECT_EQ("Body text here", texts[1]);  // no heading after it: the marker's own paragraph
  std::string warning = Warning(18);
  warning.replace(warning.find("^1"), 2, "Head");
  EXPECT_EQ("[" + display + "] " + warning, ConversionLog(doc_));
  EXPECT_EQ(kInvalidUID, links->FindDestination(PMString("Deep (Following style Head)")));
}

TEST_F(Migration, WhatALockedStoryHoldsStaysAsItIs) {
  const UID heading = MakeAnchor(doc_, destinations_, 0, "Chap");
  const UID format = MakeBasicFormat(doc_, "Name", {Block(B::kParagraphText)});
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, references_, 0, 3, format, heading));
  DocumentBuilder(doc_).SetLocked(references_, true);
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateBasicToProCmdBoss));
  EXPECT_EQ(std::vector<std::string>{"Ref"}, NativeTexts(doc_));  // could not move
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_EQ(std::vector<std::string>{"Chap"}, ListedNames(doc_));
  InterfacePtr<IHyperlinkList> links(doc_, kRootUID, IID_IHYPERLINKLIST);
  EXPECT_EQ(heading, links->FindDestination(PMString("Chap")));  // still needed, so kept
  EXPECT_EQ("<paratext/>", ProMarkup("Name"));

  // Back: its cross-reference cannot be replaced either.
  DocumentBuilder(doc_).SetLocked(references_, false);
  ASSERT_NE(kInvalidUID, LocalCrossRef(9, 3, "Chap", "", "<paratext/>"));
  DocumentBuilder(doc_).SetLocked(references_, true);
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  EXPECT_EQ(1, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_EQ(std::vector<std::string>{"Ref"}, NativeTexts(doc_));
}

TEST_F(Migration, TheLanguageOfTheTextPicksTheFormatsVariantForIt) {
  DocumentBuilder builder(doc_);
  const UID klingon = builder.AddLanguage("Klingon");
  AttributeBossList inKlingon;
  inKlingon.ApplyAttribute(TextAttr::Language(klingon));
  const UID story = builder.NewStory();
  builder.AddParagraph(story);
  builder.AddRun(story, WideString::FromUTF8("Qapla and more"), kInvalidUID, inKlingon);
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 0, "Chap"));
  Formats()->AddFormat(PMString("F"), PMString("<paratext/><span lang=\"Klingon\">!</span>"));
  CrossRefRequest r;
  r.length = 5;
  r.marker = "Chap";
  r.formatName = "F";
  r.format = "<paratext/><span lang=\"Klingon\">!</span>";
  ASSERT_NE(kInvalidUID, InsertCrossRef(doc_, story, r));
  ASSERT_NE(kInvalidUID, LocalCrossRef(0, 3, "Chap", "F", r.format));  // not in Klingon
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  InterfacePtr<IBasicXRefFormatList> list(doc_, kRootUID, IID_IBASICXREFFORMATLIST);
  ASSERT_NE(kInvalidUID, list->FindFormat(PMString("F (Klingon)")));
  std::vector<std::string> texts = NativeTexts(doc_);
  std::sort(texts.begin(), texts.end());
  // A language's variant holds what comes from its first section on.
  EXPECT_EQ((std::vector<std::string>{"!", "Chapter one"}), texts);
}

TEST_F(Migration, EachMigrationTellsTheApplicationOnce) {
  for (ClassID cls : {kXRefMigrateBasicToProCmdBoss, kXRefMigrateProToBasicCmdBoss}) {
    RecordingObserver observer;
    InterfacePtr<ISubject> subject(GetExecutionContextSession(), IID_ISUBJECT);
    subject->AttachObserver(observer.Object(), IID_IXREFCROSSREF);
    ASSERT_EQ(kSuccess, Migrate(cls));
    subject->DetachObserver(observer.Object(), IID_IXREFCROSSREF);
    int32 heard = 0;
    for (const HeardChange& h : observer.Heard()) heard += h.change == cls && h.protocol == IID_IXREFCROSSREF;
    EXPECT_EQ(1, heard);
  }
}

TEST_F(Migration, ASecondMigrationPresentsOnlyWhatItLogged) {
  TempDir dir;
  CrossRefRequest r;
  r.length = 3;
  r.marker = "Elsewhere";
  r.source = IDFile(dir.File("other.xref"));
  const UID external = InsertCrossRef(doc_, references_, r);
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  ASSERT_EQ(1u, Host::Get().ScheduledCount());
  app_->Idle().RunOnce();
  const std::string first = ConversionLog(doc_);
  ASSERT_FALSE(first.empty());

  ASSERT_EQ(kSuccess, RunOn(kXRefConvertCrossRefToTextCmdBoss, UIDRef(doc_, external)));
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  EXPECT_EQ(0u, Host::Get().ScheduledCount());  // nothing new
  // One more external one: only its own entry is presented.
  r.marker = "Far";
  ASSERT_NE(kInvalidUID, InsertCrossRef(doc_, references_, r));
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  app_->Alerts().Clear();
  app_->Idle().RunOnce();
  ASSERT_EQ(1u, app_->Alerts().History().size());
  const std::string shown = app_->Alerts().History()[0].message;
  EXPECT_EQ(std::string::npos, shown.find('\n')) << shown;
  EXPECT_EQ(ConversionLog(doc_).substr(first.size() + 1), shown);
}

TEST_F(Migration, ACrossReferenceWithAHyperlinkBecomesANativeOneWithout) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 0, "Chap"));
  CrossRefRequest r;
  r.length = 3;
  r.marker = "Chap";
  r.formatName = "";
  r.format = "<paratext/>";
  r.hyperlink = true;
  ASSERT_NE(kInvalidUID, InsertCrossRef(doc_, references_, r));
  InterfacePtr<IHyperlinkList> links(doc_, kRootUID, IID_IHYPERLINKLIST);
  ASSERT_EQ(1, links->GetHyperlinkCount());
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  EXPECT_EQ(std::vector<std::string>{"Chapter one"}, NativeTexts(doc_));
  EXPECT_EQ("Chapter one one, ref two, ref three.\r", StoryOf(references_));
  // Only the native cross-reference's hyperlink is left, and it leads somewhere.
  ASSERT_EQ(1, links->GetHyperlinkCount());
  InterfacePtr<IHyperlink> link(doc_, links->GetNthHyperlink(0), IID_IHYPERLINK);
  EXPECT_NE(kInvalidUID, link->GetDestinationUID());
}

TEST_F(Migration, FormatNamesStayUniqueOverRoundTrips) {
  Formats()->AddFormat(PMString("Page"), PMString("page^s<pagenum/>"));
  Formats()->AddFormat(PMString("Same"), PMString("see <paratext/>"));
  MakeBasicFormat(doc_, "page", {Block(B::kCustomText, "p. "), Block(B::kPageNumber)});
  MakeBasicFormat(doc_, "Same", {Block(B::kCustomText, "see "), Block(B::kParagraphText)});
  const UID anchor = MakeAnchor(doc_, destinations_, 0, "Chap");
  InterfacePtr<IBasicXRefFormatList> basic(doc_, kRootUID, IID_IBASICXREFFORMATLIST);
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, references_, 0, 3, basic->FindFormat(PMString("page")), anchor));

  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateBasicToProCmdBoss));
  // The same mark-up serves as it is; other mark-up gets a free name, logged.
  EXPECT_EQ(3, Formats()->GetFormatCount());
  EXPECT_EQ("p. <pagenum/>", ProMarkup("page (2)"));
  EXPECT_EQ("page^s<pagenum/>", ProMarkup("Page"));
  std::string renamed = Warning(23);
  renamed.replace(renamed.find("^1"), 2, "page (2)");
  EXPECT_EQ("[page] " + renamed, ConversionLog(doc_));
  ASSERT_EQ(1, CrossRefList(doc_)->GetCrossRefCount());
  InterfacePtr<IXRefCrossRef> crossRef(CrossRefList(doc_)->QueryCrossRef(0));
  EXPECT_EQ("page (2)", crossRef->GetFormatName().GetUTF8String());

  for (int trip = 0; trip < 2; ++trip) {
    ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
    ASSERT_EQ(kSuccess, Migrate(kXRefMigrateBasicToProCmdBoss));
    EXPECT_EQ(3, Formats()->GetFormatCount()) << "trip " << trip;
  }
}

TEST_F(Migration, HostileCustomTextKeepsItsCharactersOrIsLogged) {
  const std::string hostile = "a<b ]]> c\x01\"'^\r";
  const UID odd = MakeBasicFormat(doc_, "Odd", {Block(B::kCustomText, "x]]"), Block(B::kCustomText, hostile)});
  XRefBuildingBlock lone;
  lone.SetType(B::kCustomText);
  lone.SetCustomText(PMString(WideString(std::u16string(u"y\xD800z"))));
  MakeBasicFormat(doc_, "Lone", {lone});
  const UID anchor = MakeAnchor(doc_, destinations_, 0, "Chap");
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, references_, 0, 3, odd, anchor));
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(doc_));
  const std::vector<std::string> before = NativeTexts(doc_);
  ASSERT_EQ(std::vector<std::string>{"x]]" + hostile}, before);

  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateBasicToProCmdBoss));
  ASSERT_EQ(1, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_EQ(before[0], CurrentText(doc_, CrossRefList(doc_)->GetCrossRefUID(0)));
  EXPECT_FALSE(CrossRef(doc_, CrossRefList(doc_)->GetCrossRefUID(0))->IsCompositionFailed());
  EXPECT_EQ("yz", ProMarkup("Lone"));
  EXPECT_EQ("[Lone] " + Warning(24), ConversionLog(doc_));
}

TEST_F(Migration, AFormatThatWouldNotBeValidIsLoggedAndItsCrossReferencesKeepTheirText) {
  const UID bad = DocumentBuilder(doc_).AddCharacterStyle("Bad\x01Style", AttributeBossList());
  const UID format = MakeBasicFormat(doc_, "Styled", {Block(B::kCustomText, "see ", bad), Block(B::kParagraphText)});
  const UID anchor = MakeAnchor(doc_, destinations_, 0, "Chap");
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, references_, 0, 3, format, anchor));
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(doc_));
  const std::vector<std::string> before = NativeTexts(doc_);
  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateBasicToProCmdBoss));
  EXPECT_EQ("(none)", ProMarkup("Styled"));
  EXPECT_EQ(before, NativeTexts(doc_));
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_EQ("[Styled] " + Warning(25), ConversionLog(doc_));
}

TEST_F(Migration, EveryCrossReferenceLeftBehindIsLoggedWithItsReason) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, destinations_, 0, "Chap"));
  const UID locked = MakeStory(doc_, "Locked here");
  CrossRefRequest r;
  r.length = 6;
  r.marker = "Chap";
  r.format = "<paratext/>";
  const UID inLocked = InsertCrossRef(doc_, locked, r);
  const UID broken = LocalCrossRef(9, 3, "Nowhere", "", "<paratext/>");
  const UID unlisted = LocalCrossRef(0, 3, "Chap", "Gone", "<paratext/>");
  ASSERT_TRUE(inLocked != kInvalidUID && broken != kInvalidUID && unlisted != kInvalidUID);
  DocumentBuilder(doc_).SetLocked(locked, true);
  std::map<UID, std::string> display;
  for (UID uid : {inLocked, broken, unlisted}) display[uid] = CrossRef(doc_, uid)->GetDisplayText().GetUTF8String();

  ASSERT_EQ(kSuccess, Migrate(kXRefMigrateProToBasicCmdBoss));
  EXPECT_EQ(3, CrossRefList(doc_)->GetCrossRefCount());
  const std::string log = ConversionLog(doc_);
  std::string gone = Warning(20), missing = Warning(21);
  gone.replace(gone.find("^1"), 2, "Gone");
  missing.replace(missing.find("^1"), 2, "Nowhere");
  EXPECT_NE(std::string::npos, log.find("[" + display[inLocked] + "] " + Warning(19))) << log;
  EXPECT_NE(std::string::npos, log.find("[" + display[unlisted] + "] " + gone)) << log;
  EXPECT_NE(std::string::npos, log.find("[" + display[broken] + "] " + missing)) << log;
}
