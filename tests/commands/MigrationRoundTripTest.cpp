// The round trip over generated documents: native cross-references whose
// formats use only blocks both sides express, migrated to this system's and
// back, compose the same texts at the same places as before. Documents that
// already hold formats, with Basic formats of the same names and custom
// texts of characters the mark-up must escape, keep their format names
// unique and their texts (or log why not), and undo restores every byte.
#include "commands/XRefMigrationID.h"
#include "headless/text/DocumentBuilder.h"
#include "host/IBasicXRefFormat.h"
#include "host/IDocument.h"
#include "host/UtilsBoss.h"
#include "model/IXRefFormats.h"
#include "tests/support/BasicFormatTestSupport.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/NativeCrossRefTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <random>

namespace {
using B = XRefBuildingBlock;

const char* const kWords[] = {"alpha", "beta", "gamma", "delta", "one", "two", "x"};
const char* const kTexts[] = {"See ", " on page ", "<", "&", "^", "\xE2\x80\x9Cq\xE2\x80\x9D", ", ", "", " "};
// Pieces the mark-up would misread, XML cannot hold as they are, or take
// two UTF-16 units.
const char* const kHostile[] = {"<",  ">",      "&",    "]]>",  "]]", "\"", "'",  "^", "\x01", "\x1F",
                                "\t", "\xF0\x9F\x98\x80", "\xEF\xBF\xBE", "a", " ", "\xE2\x80\x9C"};
// Names the document's formats already have, in other letter cases too;
// the Basic formats of one document take distinct ones.
const char* const kTakenNames[] = {"Page", "plain", "Heading & Page", "G0"};
const int32 kTypes[] = {B::kCustomText, B::kFileName,        B::kChapterNumber,
                        B::kPageNumber, B::kParagraphNumber, B::kParagraphText};

class GeneratedDocument {
public:
  // hostile: the document keeps its formats, gets one more, and its Basic
  // formats take their names and hostile custom texts.
  GeneratedDocument(TestApp& app, unsigned seed, bool hostile = false) : random_(seed), hostile_(hostile) {
    doc_ = app->NewDocument();
    DocumentBuilder builder(doc_);
    styles_ = {kInvalidUID, builder.AddCharacterStyle("Inline:Strong", AttributeBossList())};
    const UID numbered = builder.AddParagraphStyle("Numbered", AttributeBossList(), kNumberedList);
    InterfacePtr<IDocument> document(doc_, kRootUID, IID_IDOCUMENT);
    InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace(), IID_IXREFFORMATS);
    // The defaults Basic formats cannot express would log for themselves.
    for (const char* warned : {"Footnote number", "Relative page number"})
      if (hostile && formats->FindFormat(PMString(warned)) >= 0) formats->RemoveFormat(formats->FindFormat(PMString(warned)));
    if (hostile) formats->AddFormat(PMString("Plain"), PMString(Pick(0, 1) ? "<paratext/>" : "x"));
    while (!hostile && formats->GetFormatCount() > 0) formats->RemoveFormat(0);

    destinations_ = builder.NewStory();
    const int paragraphs = Pick(2, 5);
    for (int p = 0; p < paragraphs; ++p) {
      builder.AddParagraph(destinations_, Pick(0, 1) ? numbered : kInvalidUID);
      builder.AddRun(destinations_, WideString::FromUTF8(Words(Pick(1, 4))));
    }
    references_ = MakeStory(doc_, Words(12));
  }

  // Anchors on distinct letters, formats of random blocks, and native
  // cross-references on distinct words of the other story, in text order.
  void AddCrossRefs() {
    const std::string text = StoryText(doc_, destinations_);
    std::vector<UID> anchors;
    for (int i = 0, n = Pick(1, 4); i < n; ++i) {
      const TextIndex at = Pick(0, static_cast<int>(text.size()) - 2);
      if (text[at] == '\r') continue;
      const UID anchor = MakeAnchor(doc_, destinations_, at, "A" + std::to_string(i));
      if (anchor != kInvalidUID) anchors.push_back(anchor);
    }
    std::vector<UID> formats;
    const int first = Pick(0, 3);
    for (int i = 0, n = Pick(1, 3); i < n; ++i) {
      std::vector<XRefBuildingBlock> blocks;
      for (int b = 0, m = Pick(1, 4); b < m; ++b)
        blocks.push_back(Block(kTypes[Pick(0, 5)], hostile_ ? Hostile() : kTexts[Pick(0, 8)], styles_[Pick(0, 1)]));
      const std::string name = hostile_ ? kTakenNames[(i + first) % 4] : "G" + std::to_string(i);
      const UID made = MakeBasicFormat(doc_, name, blocks);
      if (made != kInvalidUID) formats.push_back(made);
    }
    if (anchors.empty()) anchors.push_back(MakeAnchor(doc_, destinations_, 0, "First"));
    const std::string refs = StoryText(doc_, references_);
    TextIndex start = 0;
    for (int word = 0; word < 12; ++word) {
      const TextIndex end = static_cast<TextIndex>(refs.find_first_of(" \r", start));
      if (Pick(0, 2) == 0)
        made_.push_back(MakeNativeCrossRef(doc_, references_, start, end - start, formats[Pick(0, formats.size() - 1)],
                                           anchors[Pick(0, anchors.size() - 1)]));
      start = end + 1;
    }
  }

  DataBase* doc_ = nullptr;
  UID destinations_ = kInvalidUID, references_ = kInvalidUID;
  std::vector<UID> made_;

private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string Words(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i ? " " : "") + std::string(kWords[Pick(0, 6)]);
    return s;
  }

  std::string Hostile() {
    std::string s;
    for (int i = 0, n = Pick(1, 6); i < n; ++i) s += kHostile[Pick(0, 15)];
    return s;
  }

  std::mt19937 random_;
  bool hostile_ = false;
  std::vector<UID> styles_;
};
}  // namespace

TEST(MigrationRoundTrip, NativeCrossReferencesComposeTheSameAfterGoingToProAndBack) {
  TestApp app;
  int withCrossRefs = 0;
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    GeneratedDocument g(app, seed);
    g.AddCrossRefs();
    ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(g.doc_));
    const std::vector<std::string> before = NativeTexts(g.doc_);
    const std::string references = StoryText(g.doc_, g.references_);
    const std::string destinations = StoryText(g.doc_, g.destinations_);
    withCrossRefs += before.empty() ? 0 : 1;

    ASSERT_EQ(kSuccess, RunOn(kXRefMigrateBasicToProCmdBoss, UIDRef(g.doc_, kRootUID)));
    ASSERT_TRUE(NativeCrossRefs(g.doc_).empty());
    ASSERT_EQ(static_cast<int32>(before.size()), CrossRefList(g.doc_)->GetCrossRefCount());
    // Only the Pro side remains to come back from.
    InterfacePtr<IBasicXRefFormatList> basic(g.doc_, kRootUID, IID_IBASICXREFFORMATLIST);
    InterfacePtr<IBasicFormatUtils> formats(UtilsBoss::QueryUtils<IBasicFormatUtils>());
    while (basic->GetFormatCount() > 0) ASSERT_TRUE(formats->DeleteBasicFormat(g.doc_, basic->GetNthFormat(0)));
    ASSERT_EQ(kSuccess, RunOn(kXRefMigrateProToBasicCmdBoss, UIDRef(g.doc_, kRootUID)));

    EXPECT_EQ(0, CrossRefList(g.doc_)->GetCrossRefCount());
    EXPECT_EQ(before, NativeTexts(g.doc_));
    EXPECT_EQ(references, StoryText(g.doc_, g.references_));
    EXPECT_EQ(destinations, StoryText(g.doc_, g.destinations_));
    // Recomposing again changes nothing: the texts are what the formats say.
    ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(g.doc_));
    EXPECT_EQ(before, NativeTexts(g.doc_));
    app->CloseDocument(g.doc_);
  }
  EXPECT_GT(withCrossRefs, 40);
}

namespace {
// Names unique ignoring case: each name finds its own entry first.
void ExpectUniqueNames(DataBase* doc) {
  InterfacePtr<IDocument> document(doc, kRootUID, IID_IDOCUMENT);
  InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace(), IID_IXREFFORMATS);
  for (int32 i = 0; i < formats->GetFormatCount(); ++i)
    EXPECT_EQ(i, formats->FindFormat(formats->GetFormatName(i))) << formats->GetFormatName(i).GetUTF8String();
}

int32 FormatCount(DataBase* doc) {
  InterfacePtr<IDocument> document(doc, kRootUID, IID_IDOCUMENT);
  InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace(), IID_IXREFFORMATS);
  return formats->GetFormatCount();
}
}  // namespace

TEST(MigrationRoundTrip, DocumentsWithFormatsAndHostileTextsKeepNamesUniqueAndTextsOrLogs) {
  TestApp app;
  int withCrossRefs = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    GeneratedDocument g(app, seed, true);
    g.AddCrossRefs();
    ASSERT_EQ(kSuccess, UpdateNativeCrossRefs(g.doc_));
    const std::vector<std::string> before = NativeTexts(g.doc_);
    const std::string references = StoryText(g.doc_, g.references_);
    const std::string original = DocumentBytes(g.doc_);
    withCrossRefs += before.empty() ? 0 : 1;

    // To Pro: every hostile text reads back as itself, so every native
    // cross-reference moves.
    ASSERT_EQ(kSuccess, RunOn(kXRefMigrateBasicToProCmdBoss, UIDRef(g.doc_, kRootUID)));
    ExpectUniqueNames(g.doc_);
    EXPECT_TRUE(NativeCrossRefs(g.doc_).empty());
    EXPECT_EQ(static_cast<int32>(before.size()), CrossRefList(g.doc_)->GetCrossRefCount());
    const std::string pro = DocumentBytes(g.doc_);
    ASSERT_TRUE(g.doc_->Undo());
    EXPECT_EQ(original, DocumentBytes(g.doc_));
    ASSERT_TRUE(g.doc_->Redo());
    const int32 formats = FormatCount(g.doc_);

    // Back and forth again: no format is added twice; texts survive or the
    // log says what the Basic side could not hold.
    const std::string logged = ConversionLog(g.doc_);
    ASSERT_EQ(kSuccess, RunOn(kXRefMigrateProToBasicCmdBoss, UIDRef(g.doc_, kRootUID)));
    if (NativeTexts(g.doc_) != before) EXPECT_GT(ConversionLog(g.doc_).size(), logged.size());
    else EXPECT_EQ(references, StoryText(g.doc_, g.references_));
    ASSERT_TRUE(g.doc_->Undo());
    EXPECT_EQ(pro, DocumentBytes(g.doc_));
    ASSERT_TRUE(g.doc_->Redo());
    ASSERT_EQ(kSuccess, RunOn(kXRefMigrateBasicToProCmdBoss, UIDRef(g.doc_, kRootUID)));
    ExpectUniqueNames(g.doc_);
    EXPECT_EQ(formats, FormatCount(g.doc_));
    app->CloseDocument(g.doc_);
  }
  EXPECT_GT(withCrossRefs, 25);
}
