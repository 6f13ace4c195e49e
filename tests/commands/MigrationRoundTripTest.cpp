// The round trip over generated documents: native cross-references whose
// formats use only blocks both sides express, migrated to this system's and
// back, compose the same texts at the same places as before.
#include "commands/XRefMigrationID.h"
#include "headless/text/DocumentBuilder.h"
#include "host/IBasicXRefFormat.h"
#include "host/IDocument.h"
#include "host/UtilsBoss.h"
#include "model/IXRefFormats.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/NativeCrossRefTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <random>

namespace {
using B = XRefBuildingBlock;

const char* const kWords[] = {"alpha", "beta", "gamma", "delta", "one", "two", "x"};
const char* const kTexts[] = {"See ", " on page ", "<", "&", "^", "\xE2\x80\x9Cq\xE2\x80\x9D", ", ", "", " "};
const int32 kTypes[] = {B::kCustomText, B::kFileName,        B::kChapterNumber,
                        B::kPageNumber, B::kParagraphNumber, B::kParagraphText};

class GeneratedDocument {
public:
  GeneratedDocument(TestApp& app, unsigned seed) : random_(seed) {
    doc_ = app->NewDocument();
    DocumentBuilder builder(doc_);
    styles_ = {kInvalidUID, builder.AddCharacterStyle("Inline:Strong", AttributeBossList())};
    const UID numbered = builder.AddParagraphStyle("Numbered", AttributeBossList(), kNumberedList);
    InterfacePtr<IDocument> document(doc_, kRootUID, IID_IDOCUMENT);
    InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace(), IID_IXREFFORMATS);
    while (formats->GetFormatCount() > 0) formats->RemoveFormat(0);

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
    for (int i = 0, n = Pick(1, 3); i < n; ++i) {
      std::vector<XRefBuildingBlock> blocks;
      for (int b = 0, m = Pick(1, 4); b < m; ++b)
        blocks.push_back(Block(kTypes[Pick(0, 5)], kTexts[Pick(0, 8)], styles_[Pick(0, 1)]));
      formats.push_back(MakeBasicFormat(doc_, "G" + std::to_string(i), blocks));
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

  std::mt19937 random_;
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
