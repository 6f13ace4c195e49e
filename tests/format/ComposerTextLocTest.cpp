// The composer's text locations: paragraph searches by style, style names
// with groups, and what a location tells about its story and document.
#include "host/IDocument.h"
#include "tests/support/ComposerFixture.h"

namespace {
class TextLoc : public ComposerFixture {
protected:
  // Paragraphs: Heading "One", Body "a", Body "b", Notes:Caption "c", Body "d".
  void SetUp() override {
    ComposerFixture::SetUp();
    story_ = build_.NewStory();
    const std::pair<UID, const char*> paragraphs[] = {
        {heading_, "One"}, {body_, "a"}, {body_, "b"}, {caption_, "c"}, {body_, "d"}};
    for (auto& p : paragraphs) {
      build_.AddParagraph(story_, p.first);
      build_.AddRun(story_, WideString(p.second));
    }
    composer_.reset(utils_->QueryComposer());
    ASSERT_TRUE(composer_);
    loc_ = Location(IID_IXREFSOURCETEXTLOC);
  }
  ErrorCode Preceding(TextIndex at, const char* style, TextIndex* start) {
    loc_->SetLocation(doc_, story_, at);
    return loc_->FindPrecedingParagraph(start, PMString(style));
  }
  ErrorCode Following(TextIndex at, const char* style, TextIndex* start) {
    loc_->SetLocation(doc_, story_, at);
    return loc_->FindFollowingParagraph(start, PMString(style));
  }

  UID story_ = kInvalidUID;
  InterfacePtr<IXRefTextLoc> loc_;
};
// "One\ra\rb\rc\rd\r": paragraphs start at 0, 4, 6, 8, 10; the story is 12 long.
}  // namespace

TEST_F(TextLoc, ParagraphSearchesStartWithTheLocationsOwnParagraph) {
  TextIndex start = -1;
  EXPECT_EQ(kSuccess, Preceding(7, "Heading", &start));
  EXPECT_EQ(0, start);
  EXPECT_EQ(kSuccess, Preceding(7, "Body", &start));
  EXPECT_EQ(6, start);
  EXPECT_EQ(kSuccess, Following(7, "Body", &start));
  EXPECT_EQ(6, start);
  EXPECT_EQ(kSuccess, Following(5, "Notes:Caption", &start));
  EXPECT_EQ(8, start);
  EXPECT_EQ(kSuccess, Preceding(11, "Notes:Caption", &start));
  EXPECT_EQ(8, start);
  EXPECT_EQ(kSuccess, Preceding(0, "Heading", &start));
  EXPECT_EQ(0, start);
}

TEST_F(TextLoc, ParagraphSearchesReportMissingStylesAndParagraphs) {
  TextIndex start = -1;
  EXPECT_EQ(kXRefNoPrecedingParagraphError, Preceding(7, "Notes:Caption", &start));
  EXPECT_EQ(kXRefNoFollowingParagraphError, Following(7, "Heading", &start));
  EXPECT_EQ(kXRefNoFollowingParagraphError, Following(11, "Notes:Caption", &start));
  // An unknown style leaves the start at the location's own paragraph.
  EXPECT_EQ(kXRefParaStyleNotFoundError, Preceding(9, "Caption", &start));
  EXPECT_EQ(8, start);
  EXPECT_EQ(kXRefParaStyleNotFoundError, Following(5, "notes:caption", &start));
  EXPECT_EQ(4, start);
  // Without a story there is nothing to search.
  loc_->SetLocation(doc_, kInvalidUID, 0);
  EXPECT_EQ(kFailure, loc_->FindPrecedingParagraph(&start, PMString("Body")));
  EXPECT_EQ(kFailure, loc_->FindFollowingParagraph(&start, PMString("Body")));
  loc_->SetLocation(doc_, story_, 3);
  EXPECT_EQ(kFailure, loc_->FindPrecedingParagraph(nullptr, PMString("Body")));
}

TEST_F(TextLoc, StyleNamesNameGroupsWithColons) {
  loc_->SetLocation(doc_, story_, 0);
  EXPECT_EQ(small_, loc_->FindCharStyle(PMString("Notes:Small")));
  EXPECT_EQ(emphasis_, loc_->FindCharStyle(PMString("Emphasis")));
  EXPECT_EQ(kInvalidUID, loc_->FindCharStyle(PMString("Small")));
  EXPECT_EQ(kInvalidUID, loc_->FindCharStyle(PMString("Notes:Caption")));  // a paragraph style
  EXPECT_EQ(caption_, loc_->FindParaStyle(PMString("Notes:Caption")));
  EXPECT_EQ(kInvalidUID, loc_->FindParaStyle(PMString("Emphasis")));
  loc_->SetLocation(nullptr, story_, 0);
  EXPECT_EQ(kInvalidUID, loc_->FindCharStyle(PMString("Emphasis")));
}

TEST_F(TextLoc, TellsItsStoryDocumentAndWorkspace) {
  InterfacePtr<ITextModel> model(doc_, story_, IID_ITEXTMODEL);
  loc_->SetTextModel(model.get(), 5);
  EXPECT_EQ(UIDRef(doc_, story_), loc_->GetStoryRef());
  EXPECT_EQ(doc_, loc_->GetDataBase());
  EXPECT_EQ(5, loc_->GetIndex());
  EXPECT_EQ(4, loc_->GetParagraphStart());
  EXPECT_EQ(model.get(), InterfacePtr<ITextModel>(loc_->QueryTextModel()).get());
  EXPECT_EQ(UIDRef(doc_, kRootUID), loc_->GetDocumentRef());
  InterfacePtr<IDocument> document(doc_, kRootUID, IID_IDOCUMENT);
  EXPECT_EQ(document->GetDocWorkspace(), loc_->GetWorkspaceRef());
  loc_->Advance(6);
  EXPECT_TRUE(loc_->IsValid());  // the final return
  loc_->Advance(1);
  EXPECT_FALSE(loc_->IsValid());

  loc_->SetTextModel(nullptr, 2);
  EXPECT_FALSE(loc_->IsValid());
  EXPECT_EQ(0, loc_->GetParagraphStart());
  EXPECT_EQ(UIDRef(), loc_->GetWorkspaceRef());
}
