// The building blocks that number and name the source: pagenum, chapnum,
// fnnum, filename, char and span, composed from real locations.
#include "format/IXRefComposerState.h"
#include "format/IXRefElement.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/IErrorStringService.h"
#include "host/IDocument.h"
#include "host/IFootnote.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "tests/support/TestApp.h"
#include <vector>

namespace {
// The line a problem gives in the composer state.
std::string Line(ErrorCode code, const char* element, const char* attribute = nullptr) {
  std::string line = ErrorUtils::PMGetErrorString(code).GetUTF8String() + " (element '" + element + "'";
  if (attribute) line += std::string(", attribute '") + attribute + "'";
  return line + ")";
}

// A document of five pages on three spreads, [0] [1 2] [3 4], and one story
// whose paragraphs each fill one frame: paragraph k on page k, paragraph 5
// on the pasteboard of the last spread, paragraph 6 overset.
struct Pages {
  explicit Pages(DataBase* doc) : db(doc), build(doc), layout(doc) {
    heading = build.AddParagraphStyle("Heading", AttributeBossList());
    layout.AddSpread(1);
    layout.AddSpread(2);
    layout.AddSpread(2);
    story = build.NewStory();
    const char* texts[] = {"zero", "one", "two", "three", "four", "board", "overset"};
    for (int k = 0; k < 7; ++k) {
      build.AddParagraph(story, k == 1 ? heading : kInvalidUID);
      at.push_back(build.AddRun(story, WideString(texts[k])));
    }
    for (int k = 0; k < 5; ++k) layout.AddTextFrame(layout.PageUID(k), story, 20, 1);
    layout.AddTextFrame(layout.SpreadUID(2), story, 20, 1);
  }
  DataBase* db;
  DocumentBuilder build;
  LayoutBuilder layout;
  UID heading = kInvalidUID;
  UID story = kInvalidUID;
  std::vector<TextIndex> at;  // where each paragraph's text starts
};

class NumberingElements : public ::testing::Test {
protected:
  NumberingElements() : doc_(app_->NewDocument()), pages_(doc_) {
    utils_.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (utils_) previewer_.reset(utils_->QueryPreviewer());
  }
  void SetUp() override {
    ASSERT_TRUE(previewer_);
    ASSERT_EQ(7u, pages_.at.size());
  }

  // The text a format gives for a source and a destination; "(failed)" when
  // the previewer gave up.
  std::string Text(const char* format, IDataBase* sourceDB, UID sourceStory, TextIndex sourceIndex,
                   IDataBase* destDB, UID destStory, TextIndex destIndex) {
    PMString text;
    if (previewer_->Preview(&text, PMString(format), sourceDB, sourceStory, sourceIndex, destDB, destStory,
                            destIndex) != kSuccess)
      return "(failed)";
    return text.GetUTF8String();
  }
  // Source in paragraph `from`, destination in paragraph `to`, both of the story.
  std::string Page(const char* format, int from, int to) {
    return Text(format, doc_, pages_.story, pages_.at[from] + 1, doc_, pages_.story, pages_.at[to] + 1);
  }
  std::string Errors() const {
    InterfacePtr<IXRefComposerState> state(previewer_.get(), IID_IXREFCOMPOSERSTATE);
    return state ? state->GetErrorText().GetUTF8String() : "(no state)";
  }

  TestApp app_;
  DataBase* doc_;
  Pages pages_;
  InterfacePtr<IXRefParsingUtils> utils_;
  InterfacePtr<IXRefPreviewer> previewer_;
};

const char kRelative[] =
    "<pagenum usepage=\"yes\" usethis=\"yes\" thistext=\"this page\" usenext=\"yes\" nexttext=\"next page\" "
    "useprev=\"yes\" prevtext=\"previous page\" useopposite=\"yes\" oppositetext=\"opposite page\"/>";

TEST_F(NumberingElements, PagenumGivesThePageNumberOrTheWordingsInTheirPriority) {
  EXPECT_EQ("2", Page("<pagenum/>", 1, 1));
  EXPECT_EQ("this page", Page("<pagenum usethis='yes'/>", 1, 1));
  EXPECT_EQ("", Errors());
  // Pages 1 and 2 face each other on one spread: opposite wins over previous and next.
  EXPECT_EQ("opposite page", Page(kRelative, 1, 2));
  EXPECT_EQ("opposite page", Page(kRelative, 2, 1));
  // Neighbours on different spreads.
  EXPECT_EQ("previous page", Page(kRelative, 2, 3));
  EXPECT_EQ("next page", Page(kRelative, 3, 2));
  EXPECT_EQ("previous page", Page(kRelative, 0, 1));  // a spread of one page has no opposite
  EXPECT_EQ("page 3", Page(kRelative, 2, 4));
  EXPECT_EQ("this page", Page(kRelative, 4, 4));
  // Each wording only when asked for.
  EXPECT_EQ("2", Page("<pagenum usenext='yes'/>", 1, 2));
  EXPECT_EQ("3", Page("<pagenum useprev='yes'/>", 2, 1));
  EXPECT_EQ("previous page", Page("<pagenum useprev='yes'/>", 1, 2));  // facing, but opposite not asked
  EXPECT_EQ("previous page", Page("<pagenum useopposite='yes' useprev='yes'/>", 2, 3));
  EXPECT_EQ("2", Page("<pagenum useopposite='yes'/>", 1, 3));  // two pages apart
  // Escapes work inside the wordings.
  EXPECT_EQ("the\xC2\xA0next", Page("<pagenum usenext='yes' nexttext='the^snext'/>", 3, 2));
  EXPECT_EQ("", Errors());
}

TEST_F(NumberingElements, PagenumFromAnotherDocumentIsAlwaysTheNumber) {
  DataBase* other = app_->NewDocument();
  Pages there(other);
  ASSERT_EQ(7u, there.at.size());
  EXPECT_EQ("page 2", Text(kRelative, other, there.story, there.at[1], doc_, pages_.story, pages_.at[1]));
  EXPECT_EQ("page 3", Text(kRelative, other, there.story, there.at[2], doc_, pages_.story, pages_.at[1]));
  EXPECT_EQ("", Errors());
  // And the number is the other document's own.
  there.layout.AddSection({0, 10, kArabicNumbers, PMString()});
  EXPECT_EQ("11", Text("<pagenum usethis='yes'/>", other, there.story, there.at[1], doc_, pages_.story,
                       pages_.at[1]));
}

TEST_F(NumberingElements, PagenumPageTextReplacesEveryHash) {
  EXPECT_EQ("p. 4", Page("<pagenum usepage='yes' pagetext='p. #'/>", 3, 0));
  EXPECT_EQ("44", Page("<pagenum usepage='yes' pagetext='##'/>", 3, 0));
  EXPECT_EQ("", Errors());
  EXPECT_EQ("see there", Page("<pagenum usepage='yes' pagetext='see there'/>", 3, 0));
  EXPECT_EQ(Line(kXRefPageTextWithoutNumberError, "pagenum"), Errors());
  // Without usepage the page text is not used at all.
  EXPECT_EQ("4", Page("<pagenum pagetext='see there'/>", 3, 0));
  EXPECT_EQ("", Errors());
}

TEST_F(NumberingElements, PagenumOversetAndPasteboard) {
  EXPECT_EQ("[?]", Page("[<pagenum usethis='yes'/>]", 6, 6));
  EXPECT_EQ(Line(kXRefNotOnPageError, "pagenum"), Errors());
  EXPECT_EQ("PB", Page(kRelative, 5, 4));
  EXPECT_EQ(Line(kXRefOnPasteboardError, "pagenum"), Errors());
}

TEST_F(NumberingElements, PagenumDestinationOffThePagesGivesTheNumber) {
  // A destination on the pasteboard or in overset has no page to count
  // from; the source on the first page is not its "next page".
  EXPECT_EQ("page 1", Page(kRelative, 0, 5));
  EXPECT_EQ("page 1", Page(kRelative, 0, 6));
  EXPECT_EQ("page 5", Page(kRelative, 4, 5));
  EXPECT_EQ("", Errors());
}

TEST_F(NumberingElements, PagenumSectionsAndNumberTypes) {
  pages_.layout.AddSection({1, 1, kLowerRomanNumbers, PMString("Intro-")});
  EXPECT_EQ("ii", Page("<pagenum/>", 2, 0));  // the declared default leaves the prefix out
  EXPECT_EQ("Intro-ii", Page("<pagenum usesectionname='yes'/>", 2, 0));
  EXPECT_EQ("2", Page("<pagenum forcearabic='yes'/>", 2, 0));
  EXPECT_EQ("3", Page("<pagenum numbertype='actual'/>", 2, 0));
  EXPECT_EQ("ii", Page("<pagenum numbertype='ordinal'/>", 2, 0));
  EXPECT_EQ("i", Page("<pagenum numbertype='ordinal'/>", 1, 0));
  EXPECT_EQ("2", Page("<pagenum numbertype='actual'/>", 1, 0));
}

TEST_F(NumberingElements, PagenumTakesThePageOfTheStyledParagraph) {
  // Paragraph 1 is the heading; searching back from paragraph 2 finds it.
  EXPECT_EQ("2", Page("<pagenum precedingpstyle='Heading'/>", 2, 0));
  EXPECT_EQ("2", Page("<pagenum followingpstyle='Heading'/>", 0, 4));
  EXPECT_EQ("", Errors());
  // Nothing found: recorded against the attribute, the source's own page stays.
  EXPECT_EQ("1", Page("<pagenum precedingpstyle='Heading'/>", 0, 4));
  EXPECT_EQ(Line(kXRefNoPrecedingParagraphError, "pagenum", "precedingpstyle"), Errors());
  EXPECT_EQ("4", Page("<pagenum followingpstyle='Heading'/>", 3, 0));
  EXPECT_EQ(Line(kXRefNoFollowingParagraphError, "pagenum", "followingpstyle"), Errors());
  EXPECT_EQ("4", Page("<pagenum followingpstyle='Nope'/>", 3, 0));
  EXPECT_EQ(Line(kXRefParaStyleNotFoundError, "pagenum", "followingpstyle"), Errors());
  // Both given: preceding wins.
  EXPECT_EQ("2", Page("<pagenum precedingpstyle='Heading' followingpstyle='Nope'/>", 3, 0));
  EXPECT_EQ("", Errors());
  // The found paragraph's page decides the wording too.
  EXPECT_EQ("this page", Page("<pagenum usethis='yes' precedingpstyle='Heading'/>", 2, 1));
}

TEST_F(NumberingElements, FnnumInBothFormsAndOutsideAFootnote) {
  ASSERT_TRUE(pages_.layout.SetFootnoteSettings(kLowerRomanNumbers, 1, "[", "]", "", ".", "\t"));
  UID first = pages_.layout.AddFootnote(pages_.story, pages_.at[1] + 1, WideString("First note."));
  UID second = pages_.layout.AddFootnote(pages_.story, pages_.at[3] + 1, WideString("Second note."));
  InterfacePtr<IFootnote> note(doc_, second, IID_IFOOTNOTE);
  ASSERT_TRUE(note && first != kInvalidUID);
  const UID noteStory = note->GetFootnoteStoryUID();
  EXPECT_EQ("ii.", Text("<fnnum/>", doc_, noteStory, 4, doc_, pages_.story, 0));
  EXPECT_EQ("[ii]", Text("<fnnum from='reftext'/>", doc_, noteStory, 4, doc_, pages_.story, 0));
  // The number character and the story's end are in the footnote too.
  EXPECT_EQ("ii.", Text("<fnnum/>", doc_, noteStory, 0, doc_, pages_.story, 0));
  EXPECT_EQ("ii.", Text("<fnnum/>", doc_, noteStory, 14, doc_, pages_.story, 0));
  EXPECT_EQ("", Errors());

  EXPECT_EQ("()", Text("(<fnnum/>)", doc_, pages_.story, pages_.at[2], doc_, pages_.story, 0));
  EXPECT_EQ(Line(kXRefNotInFootnoteError, "fnnum"), Errors());
}

TEST_F(NumberingElements, ChapnumIsTheSourceDocumentsChapter) {
  ASSERT_TRUE(pages_.layout.SetChapterNumber(4, kUpperRomanNumbers));
  DataBase* other = app_->NewDocument();
  Pages there(other);
  ASSERT_TRUE(there.layout.SetChapterNumber(12, kArabicNumbers));
  EXPECT_EQ("Ch. IV", Page("Ch. <chapnum/>", 2, 0));
  EXPECT_EQ("12", Text("<chapnum/>", other, there.story, 0, doc_, pages_.story, 0));
  EXPECT_EQ("", Errors());
}

TEST_F(NumberingElements, FilenameOfUnsavedAndSavedDocuments) {
  InterfacePtr<IDocument> document(doc_, kRootUID, IID_IDOCUMENT);
  ASSERT_TRUE(document);
  PMString untitled;
  document->GetName(&untitled);
  ASSERT_FALSE(untitled.IsEmpty());
  // Unsaved: the name as the host gives it, whatever the attributes say.
  EXPECT_EQ(untitled.GetUTF8String(), Page("<filename/>", 0, 0));
  EXPECT_EQ(untitled.GetUTF8String(), Page("<filename fullpath='yes' extension='no'/>", 0, 0));

  TempDir dir;
  const std::string path = dir.File("guide.v2.xrefdoc");
  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, path, &error)) << error;
  EXPECT_EQ("guide.v2.xrefdoc", Page("<filename/>", 0, 0));
  EXPECT_EQ("guide.v2", Page("<filename extension='no'/>", 0, 0));
  const std::string full = document->GetFile().GetPath();  // as the host wrote it down
  ASSERT_EQ("/guide.v2.xrefdoc", full.substr(full.size() - 17));
  EXPECT_EQ(full, Page("<filename fullpath='yes'/>", 0, 0));
  EXPECT_EQ(full.substr(0, full.size() - 8), Page("<filename fullpath='yes' extension='no'/>", 0, 0));
  EXPECT_EQ("", Errors());
}

TEST_F(NumberingElements, FilenameWithoutExtensionCutsNothingOfTheName) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, dir.File("plain"), &error)) << error;
  EXPECT_EQ("plain", Page("<filename extension='no'/>", 0, 0));
  // A dot in a folder name is no extension of the file.
  const std::string dotted = dir.File("v1.0");
  std::filesystem::create_directories(dotted);
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, dotted + "/notes", &error)) << error;
  InterfacePtr<IDocument> document(doc_, kRootUID, IID_IDOCUMENT);
  ASSERT_TRUE(document);
  const std::string full = document->GetFile().GetPath();
  ASSERT_EQ("v1.0/notes", full.substr(full.size() - 10));
  EXPECT_EQ(full, Page("<filename fullpath='yes' extension='no'/>", 0, 0));
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, dir.File(".hidden"), &error)) << error;
  EXPECT_EQ(".hidden", Page("<filename extension='no'/>", 0, 0));
}

TEST_F(NumberingElements, CharGivesOneCharacterByDecimalCode) {
  EXPECT_EQ("a\xE2\x80\x94" "b", Page("a<char code='8212'/>b", 0, 0));
  EXPECT_EQ("\x08", Page("<char code='8'/>", 0, 0));
  // Beyond the Basic Multilingual Plane: one character, two UTF-16 units.
  PMString face;
  ASSERT_EQ(kSuccess, previewer_->Preview(&face, PMString("<char code='128512'/>"), doc_, pages_.story, 0, doc_,
                                          pages_.story, 0));
  EXPECT_EQ(2, face.CharCount());
  EXPECT_EQ("\xF0\x9F\x98\x80", face.GetUTF8String());
  // No code, 0, not a number: nothing, and no error.
  EXPECT_EQ("[]", Page("[<char/>]", 0, 0));
  EXPECT_EQ("[]", Page("[<char code='0'/>]", 0, 0));
  EXPECT_EQ("[]", Page("[<char code='dash'/>]", 0, 0));
  EXPECT_EQ("", Errors());
  // Codes that name no character give nothing rather than a replacement character.
  EXPECT_EQ("[]", Page("[<char code='-65'/>]", 0, 0));
  EXPECT_EQ("[]", Page("[<char code='55296'/>]", 0, 0));
  EXPECT_EQ("[]", Page("[<char code='1114112'/>]", 0, 0));
  EXPECT_EQ("", Errors());
}

TEST_F(NumberingElements, SpanGivesOnlyItsContent) {
  EXPECT_EQ("a2b", Page("<span>a<pagenum/>b</span>", 1, 0));
  InterfacePtr<IXRefElement> span(utils_->QueryElement(PMString("span")));
  ASSERT_TRUE(span);
  std::vector<ComposedRun> runs;
  EXPECT_EQ(kSuccess, span->Compose(runs, nullptr, nullptr, nullptr, nullptr));
  EXPECT_TRUE(runs.empty());
}

TEST_F(NumberingElements, MissingInputsAreRefusedWithoutOutput) {
  for (const char* name : {"pagenum", "chapnum", "fnnum", "filename", "char"}) {
    SCOPED_TRACE(name);
    InterfacePtr<IXRefElement> element(utils_->QueryElement(PMString(name)));
    ASSERT_TRUE(element);
    std::vector<ComposedRun> runs;
    EXPECT_EQ(kXRefMissingInputError, element->Compose(runs, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(runs.empty());
  }
}
}  // namespace
