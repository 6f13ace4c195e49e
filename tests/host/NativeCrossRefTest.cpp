// The host's native cross-references: composition from a Basic format's
// blocks at a text anchor, the update that rewrites their text, their life
// with their text, persistence and undo, and the presentation of a log.
#include "headless/text/DocumentBuilder.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/IHyperlinks.h"
#include "host/INumbering.h"
#include "host/ITextAttributes.h"
#include "host/ITextHolder.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "tests/support/NativeCrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
using B = XRefBuildingBlock;

class NativeCrossRefHost : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    DocumentBuilder builder(doc_);
    strong_ = builder.AddCharacterStyle("Strong", AttributeBossList());
    // "Alpha beta" is the destination's paragraph; "X" the reference's text.
    story_ = MakeStory(doc_, "Alpha beta\rSee X now.");
    anchor_ = MakeAnchor(doc_, story_, 2, "Here");
  }
  std::string DocName() {
    InterfacePtr<IDocument> document(doc_, kRootUID, IID_IDOCUMENT);
    PMString name;
    document->GetName(&name);
    return name.GetUTF8String();
  }
  TextIndex IndexOfX() { return static_cast<TextIndex>(StoryText(doc_, story_).find('X')); }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID story_ = kInvalidUID, anchor_ = kInvalidUID, strong_ = kInvalidUID;
};
}  // namespace

TEST_F(NativeCrossRefHost, EachBlockComposesFromTheDestination) {
  const UID format = MakeBasicFormat(doc_, "All", {Block(B::kCustomText, "<"), Block(B::kParagraphText),
                                                   Block(B::kCustomText, "|"), Block(B::kTextAnchorName),
                                                   Block(B::kCustomText, "|"), Block(B::kFileName),
                                                   Block(B::kCustomText, "|"), Block(B::kPageNumber),
                                                   Block(B::kCustomText, "|"), Block(B::kChapterNumber),
                                                   Block(B::kNoType), Block(B::kParagraphNumber)});
  InterfacePtr<IChapterNumberService> chapters(UtilsBoss::QueryUtils<IChapterNumberService>());
  // No layout: the page is unknown. An unnumbered paragraph has no number.
  const std::string expected =
      "<Alpha beta|Here|" + DocName() + "|?|" + chapters->GetChapterNumberString(doc_).GetUTF8String();
  EXPECT_EQ(expected, NativeUtils()->ComposeText(doc_, format, anchor_).GetUTF8String());
  EXPECT_EQ(12u, NativeUtils()->Compose(doc_, format, anchor_).size());
  EXPECT_EQ("", NativeUtils()->ComposeText(doc_, kInvalidUID, anchor_).GetUTF8String());
}

TEST_F(NativeCrossRefHost, ParagraphTextLeavesOutObjectCharactersAndTheReturn) {
  ASSERT_NE(kInvalidUID, InsertMarker(doc_, story_, 5, "M"));  // a marker character inside "Alpha beta"
  const UID format = MakeBasicFormat(doc_, "T", {Block(B::kParagraphText), Block(B::kCustomText, "!")});
  EXPECT_EQ("Alpha beta!", NativeUtils()->ComposeText(doc_, format, anchor_).GetUTF8String());
  const UID full = MakeBasicFormat(doc_, "F", {Block(B::kFullParagraph)});
  EXPECT_EQ("Alpha beta", NativeUtils()->ComposeText(doc_, full, anchor_).GetUTF8String());
}

TEST_F(NativeCrossRefHost, AnUpdateWritesTheComposedTextOverTheRangeWithItsStyles) {
  const UID format = MakeBasicFormat(doc_, "F", {Block(B::kCustomText, "to "), Block(B::kTextAnchorName, "", strong_)});
  const UID link = MakeNativeCrossRef(doc_, story_, IndexOfX(), 1, format, anchor_);
  ASSERT_NE(kInvalidUID, link);
  const std::string before = DocumentBytes(doc_);
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(doc_));
  EXPECT_EQ("Alpha beta\rSee to Here now.\r", StoryText(doc_, story_));
  EXPECT_EQ(std::vector<std::string>{"to Here"}, NativeTexts(doc_));
  InterfacePtr<ITextAttributes> attributes(doc_, story_, IID_ITEXTATTRIBUTES);
  const TextIndex start = 15;  // after "Alpha beta\rSee "
  EXPECT_NE(strong_, attributes->GetCharStyle(start));           // "to "
  EXPECT_EQ(strong_, attributes->GetCharStyle(start + 3));       // "Here"
  EXPECT_EQ(strong_, attributes->GetCharStyle(start + 6));
  EXPECT_NE(strong_, attributes->GetCharStyle(start + 7));       // " now."
  // A second update composes the same text over the new range: a step
  // that changes nothing, dropped.
  const std::string updated = DocumentBytes(doc_);
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(doc_));
  EXPECT_EQ(updated, DocumentBytes(doc_));
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  ASSERT_TRUE(doc_->Redo());
  EXPECT_EQ(std::vector<std::string>{"to Here"}, NativeTexts(doc_));
}

TEST_F(NativeCrossRefHost, DeletingAllOfItsTextTakesTheCrossReferenceAlongButPartOfItDoesNot) {
  const UID format = MakeBasicFormat(doc_, "F", {Block(B::kTextAnchorName)});
  const UID link = MakeNativeCrossRef(doc_, story_, 11, 5, format, anchor_);  // "See X"
  ASSERT_NE(kInvalidUID, link);
  InterfacePtr<IHyperlinkList> list(doc_, kRootUID, IID_IHYPERLINKLIST);
  const std::string before = DocumentBytes(doc_);
  auto cmds = CmdsOf(doc_, story_);
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(11, 2)));
  EXPECT_EQ(std::vector<std::string>{"e X"}, NativeTexts(doc_));
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(10, 6)));  // the rest and more
  EXPECT_EQ(0, list->GetHyperlinkCount());
  InterfacePtr<ITextHolderList> holders(doc_, kRootUID, IID_ITEXTHOLDERLIST);
  EXPECT_EQ(0, holders->GetHolderCount());
  ASSERT_TRUE(doc_->Undo());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
}

TEST_F(NativeCrossRefHost, OverlappingCrossReferenceSourcesAndBadRangesAreRefused) {
  const UID format = MakeBasicFormat(doc_, "F", {Block(B::kTextAnchorName)});
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, story_, 11, 3, format, anchor_));
  const UIDRef story(doc_, story_);
  EXPECT_EQ(kInvalidUID, NativeUtils()->CreateCrossRefSource(story, 13, 2, format).GetUID());
  EXPECT_EQ(kInvalidUID, NativeUtils()->CreateCrossRefSource(story, 11, 0, format).GetUID());
  EXPECT_EQ(kInvalidUID, NativeUtils()->CreateCrossRefSource(story, 20, 5, format).GetUID());  // past the return
  EXPECT_EQ(kInvalidUID, NativeUtils()->CreateCrossRefSource(story, 0, 1, kInvalidUID).GetUID());
  EXPECT_NE(kInvalidUID, NativeUtils()->CreateCrossRefSource(story, 14, 1, format).GetUID());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

TEST_F(NativeCrossRefHost, TheyAreSavedAndReadBack) {
  TempDir dir;
  const UID format = MakeBasicFormat(doc_, "F", {Block(B::kCustomText, "see "), Block(B::kTextAnchorName, "", strong_)});
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, story_, IndexOfX(), 1, format, anchor_));
  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, dir.File("n.xref"), &error)) << error;
  app_->CloseDocument(doc_);
  DataBase* again = app_->OpenDocument(dir.File("n.xref"), &error);
  ASSERT_TRUE(again) << error;
  ASSERT_EQ(1u, NativeCrossRefs(again).size());
  EXPECT_EQ(std::vector<std::string>{"X"}, NativeTexts(again));
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(again));
  EXPECT_EQ(std::vector<std::string>{"see Here"}, NativeTexts(again));
}

TEST_F(NativeCrossRefHost, OnlyAnAnchorServingNativeCrossReferencesAloneIsRemovedAfterMigration) {
  const UID format = MakeBasicFormat(doc_, "F", {Block(B::kTextAnchorName)});
  const UID other = MakeAnchor(doc_, story_, 0, "Other");
  EXPECT_FALSE(NativeUtils()->IsRemovedAfterMigration(doc_, anchor_));  // serves nothing
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, story_, 11, 3, format, anchor_));
  ASSERT_NE(kInvalidUID, MakeNativeCrossRef(doc_, story_, 15, 1, format, other));
  EXPECT_TRUE(NativeUtils()->IsRemovedAfterMigration(doc_, anchor_));
  EXPECT_TRUE(NativeUtils()->IsRemovedAfterMigration(doc_, other));
  InterfacePtr<IHyperlinkUtils> links(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  const UIDRef plain = links->CreateTextSource(UIDRef(doc_, story_), 17, 2);
  ASSERT_NE(kInvalidUID, links->CreateHyperlink(plain, UIDRef(doc_, other), PMString("p"), true).GetUID());
  EXPECT_FALSE(NativeUtils()->IsRemovedAfterMigration(doc_, other));  // a plain hyperlink needs it
  EXPECT_TRUE(NativeUtils()->IsRemovedAfterMigration(doc_, anchor_));
}

TEST_F(NativeCrossRefHost, TheLogCommandPresentsItsTextAsItStands) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kShowConversionLogCmdBoss));
  InterfacePtr<IStringData> text(cmd.get(), IID_ISTRINGDATA);
  ASSERT_TRUE(text);
  text->Set(PMString("[A] x\n[QX#0xF2C#kXRefCopyKey] y"));
  app_->Alerts().Clear();
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(cmd.get()));
  ASSERT_EQ(1u, app_->Alerts().History().size());
  EXPECT_EQ("information", app_->Alerts().History()[0].kind);
  EXPECT_EQ("[A] x\n[QX#0xF2C#kXRefCopyKey] y", app_->Alerts().History()[0].message);
}

TEST_F(NativeCrossRefHost, AGoneAnchorLeavesTheCrossReferenceBrokenWithItsText) {
  const UID format = MakeBasicFormat(doc_, "F", {Block(B::kTextAnchorName)});
  const UID link = MakeNativeCrossRef(doc_, story_, IndexOfX(), 1, format, anchor_);
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(doc_));
  auto cmds = CmdsOf(doc_, story_);
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(0, 5)));  // "Alpha", with the anchor's character
  InterfacePtr<IHyperlinkList> list(doc_, kRootUID, IID_IHYPERLINKLIST);
  EXPECT_EQ(0, list->GetDestinationCount());
  ASSERT_EQ(std::vector<UID>{link}, NativeCrossRefs(doc_));
  InterfacePtr<IHyperlink> hyperlink(doc_, link, IID_IHYPERLINK);
  EXPECT_EQ(kInvalidUID, hyperlink->GetDestinationUID());
  ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(doc_));
  EXPECT_EQ(std::vector<std::string>{"Here"}, NativeTexts(doc_));  // kept, not emptied
  ASSERT_TRUE(doc_->Undo());  // the second update changed nothing: the deletion
  InterfacePtr<IHyperlink> again(doc_, link, IID_IHYPERLINK);
  EXPECT_EQ(anchor_, again->GetDestinationUID());
}

TEST_F(NativeCrossRefHost, OneThatCannotBeUpdatedKeepsItsTextAndTheOthersAreUpdated) {
  const UID format = MakeBasicFormat(doc_, "F", {Block(B::kTextAnchorName)});
  const UID locked = MakeStory(doc_, "Locked X");
  MakeNativeCrossRef(doc_, locked, 7, 1, format, anchor_);
  MakeNativeCrossRef(doc_, story_, IndexOfX(), 1, format, anchor_);
  DocumentBuilder(doc_).SetLocked(locked, true);
  EXPECT_EQ(kStoryLockedError, UpdateNativeCrossRefs(doc_));
  EXPECT_EQ((std::vector<std::string>{"X", "Here"}), NativeTexts(doc_));
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}
