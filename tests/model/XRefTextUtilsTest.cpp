// The text utilities: excerpts with numbering, numbering text, pages, the
// overset test, and selecting a source marker with what surrounds it.
#include "headless/text/DocumentBuilder.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/IApplication.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class XRefTextUtilsTest : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    utils_ = TextUtils();
    ASSERT_TRUE(utils_);
  }

  // A story of paragraphs; those listed in `numbered` have a numbered style
  // whose numbers read "Chapter ^1 .".
  UID Story(const std::vector<std::string>& paragraphs, const std::vector<int>& numbered) {
    DocumentBuilder builder(doc_);
    if (numbered_ == kInvalidUID) {
      numbered_ = builder.AddParagraphStyle("Chapter", AttributeBossList(), kNumberedList);
      LayoutBuilder(doc_).SetNumbering(numbered_, "chapters", 1, "Chapter ^1 .");
    }
    UID story = builder.NewStory();
    for (size_t i = 0; i < paragraphs.size(); ++i) {
      bool isNumbered = std::find(numbered.begin(), numbered.end(), static_cast<int>(i)) != numbered.end();
      builder.AddParagraph(story, isNumbered ? numbered_ : kInvalidUID);
      if (!paragraphs[i].empty()) builder.AddRun(story, WideString::FromUTF8(paragraphs[i]));
    }
    return story;
  }

  InterfacePtr<ITextModel> Model(UID story) const { return InterfacePtr<ITextModel>(doc_, story, IID_ITEXTMODEL); }

  std::string Clean(UID story, TextIndex start, int32 length, int32 max) {
    PMString s = utils_->GetCleanText(Model(story).get(), start, length, max);
    EXPECT_TRUE(s.HasTranslated());
    return s.GetUTF8String();
  }

  // The selection SelectSourceMarker makes, as [start, end).
  std::pair<TextIndex, TextIndex> SelectionFor(UID marker) {
    utils_->SelectSourceMarker(UIDRef(doc_, marker));
    UIDRef story;
    TextIndex start = -1, end = -1;
    EXPECT_TRUE(app_->GetTextSelection(&story, &start, &end));
    return {start, end};
  }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID numbered_ = kInvalidUID;
  InterfacePtr<IXRefTextUtils> utils_;
};

const std::string kLine = "  Alpha   beta  gamma";
}  // namespace

TEST_F(XRefTextUtilsTest, CleanTextCollapsesWhiteSpaceAndNeverCutsAWord) {
  UID story = Story({"First", kLine + " and more", kLine + " and more"}, {0, 1});
  const TextIndex numberedStart = 6, plainStart = numberedStart + static_cast<TextIndex>(kLine.size()) + 10;
  const int32 length = static_cast<int32>(kLine.size());
  EXPECT_EQ("Chapter2. Alpha beta gamma", Clean(story, numberedStart, length, 1000));
  EXPECT_EQ("Alpha beta gamma", Clean(story, plainStart, length, 1000));
  EXPECT_EQ("Alpha", Clean(story, plainStart, length, 5));
  EXPECT_EQ("Alpha beta", Clean(story, plainStart, length, 7));
  // White space at the end of the range is dropped, not turned into a blank.
  EXPECT_EQ("Alpha", Clean(story, plainStart, 9, 100));
  // A range that reaches the end of the story gives the numbering alone.
  InterfacePtr<ITextModel> model = Model(story);
  EXPECT_EQ("Chapter2.", Clean(story, numberedStart, model->TotalLength() - numberedStart, 1000));
  EXPECT_EQ("", Clean(story, plainStart, model->TotalLength() - plainStart, 1000));
  EXPECT_EQ("", Clean(story, -1, 4, 100));
  EXPECT_EQ("", utils_->GetCleanText(nullptr, 0, 4, 100).GetUTF8String());
}

TEST_F(XRefTextUtilsTest, CleanTextDropsAnchorsAndOtherSpecialCharacters) {
  UID story = Story({"Al\tpha\x04 b\xC3\xA9ta, 42 \xE4\xB8\x89\xF0\x9D\x90\x80 end"}, {});
  InsertMarker(doc_, story, 2, "inside a word");
  // Tab and blank collapse; the footnote character and the anchor vanish;
  // letters outside the BMP stay whole.
  EXPECT_EQ("Al pha b\xC3\xA9ta, 42 \xE4\xB8\x89\xF0\x9D\x90\x80", Clean(story, 0, 21, 1000));
}

TEST_F(XRefTextUtilsTest, NumberingTextIsTheParagraphsNumberWithoutWhiteSpace) {
  UID story = Story({"plain", "\x17numbered", "second"}, {1, 2});
  InterfacePtr<ITextModel> model = Model(story);
  EXPECT_EQ("Chapter1.", utils_->GetNumberingText(model.get(), 8, false).GetUTF8String());
  EXPECT_EQ("Chapter2.", utils_->GetNumberingText(model.get(), 17, false).GetUTF8String());
  EXPECT_EQ("2", utils_->GetNumberingText(model.get(), 17, true).GetUTF8String());
  EXPECT_EQ(PMString::kNotTranslatable, utils_->GetNumberingText(model.get(), 17, true).GetTranslationState());
  EXPECT_EQ("", utils_->GetNumberingText(model.get(), 1, false).GetUTF8String());
  // U+0017 reads the paragraph of the character before it.
  EXPECT_EQ("", utils_->GetNumberingText(model.get(), 6, false).GetUTF8String());
  EXPECT_EQ("", utils_->GetNumberingText(model.get(), 999, false).GetUTF8String());
  EXPECT_EQ("", utils_->GetNumberingText(nullptr, 0, false).GetUTF8String());

  // Tabs and other white space go too, not only blanks.
  DocumentBuilder builder(doc_);
  const UID tabbed = builder.AddParagraphStyle("Tabbed", AttributeBossList(), kNumberedList);
  LayoutBuilder(doc_).SetNumbering(tabbed, "tabbed", 1, "Part\t^1\u2003.\t");
  const UID other = builder.NewStory();
  builder.AddParagraph(other, tabbed);
  builder.AddRun(other, WideString::FromUTF8("text"));
  EXPECT_EQ("Part1.", utils_->GetNumberingText(Model(other).get(), 1, false).GetUTF8String());
}

TEST_F(XRefTextUtilsTest, PagesAndOversetComeFromTheLayout) {
  UID story = Story({"one two three four five six seven eight nine ten"}, {});
  LayoutBuilder layout(doc_);
  layout.AddSpread(2);
  layout.AddTextFrame(layout.PageUID(0), story, 10, 2);
  EXPECT_EQ(layout.PageUID(0), utils_->GetPageUID(doc_, story, 0));
  EXPECT_EQ(kInvalidUID, utils_->GetPageUID(doc_, story, 40));
  EXPECT_TRUE(utils_->IsStoryFlagged(doc_, story));
  layout.AddTextFrame(layout.PageUID(1), story, 20, 4);
  EXPECT_EQ(layout.PageUID(1), utils_->GetPageUID(doc_, story, 40));
  EXPECT_FALSE(utils_->IsStoryFlagged(doc_, story));

  EXPECT_EQ(kInvalidUID, utils_->GetPageUID(doc_, kRootUID, 0));
  EXPECT_EQ(kInvalidUID, utils_->GetPageUID(nullptr, story, 0));
  EXPECT_FALSE(utils_->IsStoryFlagged(doc_, UID{9999}));
  EXPECT_FALSE(utils_->IsMarkerStoryFlagged(nullptr));
}

TEST_F(XRefTextUtilsTest, SelectingAMarkerTakesOneVisibleCharacterOnEachSide) {
  UID story = Story({"ab", "Intro", "xy"}, {});
  UID between = InsertMarker(doc_, story, 1, "between");     // a|b
  UID start = InsertMarker(doc_, story, 4, "start");         // paragraph start, before "Intro"
  UID twin = InsertMarker(doc_, story, 5, "twin");           // right after the previous anchor
  UID end = InsertMarker(doc_, story, 14, "end");            // "xy|" before the story's return
  ASSERT_EQ("a\xEF\xBB\xBF" "b\r\xEF\xBB\xBF\xEF\xBB\xBFIntro\rxy\xEF\xBB\xBF\r", StoryText(doc_, story));
  EXPECT_EQ(std::make_pair(0, 3), SelectionFor(between));
  // Nothing before a paragraph's start; invisible neighbours come along.
  EXPECT_EQ(std::make_pair(4, 7), SelectionFor(start));
  EXPECT_EQ(std::make_pair(4, 7), SelectionFor(twin));
  EXPECT_EQ(std::make_pair(13, 15), SelectionFor(end));

  // Selecting brings the marker's document to the front.
  DataBase* other = app_->NewDocument();
  app_->SetFrontDocument(other);
  SelectionFor(between);
  EXPECT_EQ(doc_, app_->FrontDocument());
  // Something that is no marker selects nothing new, nor brings its
  // document forward.
  EXPECT_EQ(std::make_pair(13, 15), SelectionFor(end));
  app_->SetFrontDocument(other);
  utils_->SelectSourceMarker(UIDRef(doc_, story));
  utils_->SelectSourceMarker(UIDRef());
  UIDRef selected;
  TextIndex from = -1, to = -1;
  ASSERT_TRUE(app_->GetTextSelection(&selected, &from, &to));
  EXPECT_EQ(std::make_pair(13, 15), std::make_pair(from, to));
  EXPECT_EQ(other, app_->FrontDocument());
}

TEST_F(XRefTextUtilsTest, CleanTextCountsCharactersNotUTF16Units) {
  // Two letters outside the Basic Multilingual Plane are two characters.
  UID story = Story({"\xF0\x9D\x90\x80\xF0\x9D\x90\x81 b cc dd"}, {});
  EXPECT_EQ("\xF0\x9D\x90\x80\xF0\x9D\x90\x81 b", Clean(story, 0, 10, 3));
  EXPECT_EQ("\xF0\x9D\x90\x80\xF0\x9D\x90\x81 b cc", Clean(story, 0, 10, 5));
}
