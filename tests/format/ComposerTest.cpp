// The composer: literal text and elements written into the destination story
// with the styles, format properties and language conditions of the format.
#include "host/CmdUtils.h"
#include "format/IXRefPreviewer.h"
#include "host/IErrorStringService.h"
#include "tests/support/ComposerFixture.h"

namespace {
class Composer : public ComposerFixture {};
}  // namespace

TEST_F(Composer, LiteralTextTakesTheAttributesOfTheCharacterBeforeTheDestination) {
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("ab"));
  build_.AddRun(story, WideString("cd"), strong_,
                Attrs({TextAttr::Underline(true), TextAttr::PointSize(14), TextAttr::FillColor(red_)}));
  build_.AddRun(story, WideString("ef"));
  // Whatever the insertion point held is not what the composed text gets.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story)->ApplyCmd(4, 0, Attrs({TextAttr::PointSize(30)}))));

  ASSERT_EQ(kSuccess, Compose(u"x&amp;y", story, 4));
  EXPECT_EQ("abcdx&yef\r", Text(story));
  for (TextIndex at = 4; at < 7; ++at) {
    EXPECT_EQ(14.0, Size(story, at));
    EXPECT_EQ(1, Value(story, at, kTextAttrUnderlineBoss));
    EXPECT_EQ(red_, TextAttr::AsUID(Attr(story, at, kTextAttrFillColorBoss)));
    EXPECT_EQ(strong_, CharStyle(story, at));
  }
  EXPECT_EQ(12.0, Size(story, 7));
  EXPECT_EQ(7, Location(IID_IXREFDESTTEXTLOC)->GetIndex());  // just after the composed text
  EXPECT_EQ(0, State()->GetErrorCount());
}

TEST_F(Composer, LangListsOutputOnlyForTheDestinationsLanguageAndNestedElementsInherit) {
  const std::u16string format =
      u"[<span lang=\" english: uk ;  GERMAN \">in<span>side</span><probe text=\"!\"/></span>]";
  UID german = Story({{"de", Attrs({TextAttr::Language(german_)})}});
  UID english = Story({{"en", Attrs({TextAttr::Language(english_)})}});
  UID klingon = Story({{"kl", Attrs({TextAttr::Language(klingon_)})}});
  ASSERT_EQ(kSuccess, Compose(format, german, 2));
  EXPECT_EQ("de[inside!]\r", Text(german));
  ASSERT_EQ(kSuccess, Compose(format, english, 2));
  EXPECT_EQ("en[inside!]\r", Text(english));
  ASSERT_EQ(kSuccess, Compose(format, klingon, 2));
  EXPECT_EQ("kl[]\r", Text(klingon));
  // A name never translated matches as it stands; an empty item matches nothing.
  ASSERT_EQ(kSuccess, Compose(u"<span lang=\"klingon\">a</span><span lang=\";\">b</span>", klingon, 4));
  EXPECT_EQ("kl[]a\r", Text(klingon));
}

// The previewer at real locations shows exactly the text composing writes,
// whatever the lang lists: empty ones, and a match inside a mismatch.
TEST_F(Composer, PreviewFiltersLanguagesExactlyAsComposing) {
  InterfacePtr<IXRefPreviewer> previewer(utils_->QueryPreviewer());
  ASSERT_TRUE(previewer);
  const UID source = Story({{"Source", AttributeBossList()}});
  const std::u16string formats[] = {
      u"(<span lang=\"\">X</span>)",
      u"[<span lang=\"Klingon\">k<span lang=\"German\">de</span><span>in</span></span>]",
      u"[<span lang=\"German\">d<span lang=\"\">e</span><span lang=\"Klingon\">k</span></span>]",
  };
  const std::string expected[2][3] = {{"(X)", "[de]", "[de]"}, {"(X)", "[kin]", "[k]"}};
  const UID languages[] = {german_, klingon_};
  for (int l = 0; l < 2; ++l) {
    for (int f = 0; f < 3; ++f) {
      const UID dest = Story({{"xx", Attrs({TextAttr::Language(languages[l])})}});
      PMString preview;
      ASSERT_EQ(kSuccess, previewer->Preview(&preview, PMString(formats[f]), doc_, source, 0, doc_, dest, 1));
      ASSERT_EQ(kSuccess, Compose(formats[f], dest, 2, source, 0));
      const std::string composed = Text(dest);
      EXPECT_EQ(expected[l][f], composed.substr(2, composed.size() - 3)) << l << f;
      EXPECT_EQ(expected[l][f], preview.GetUTF8String()) << l << f;
    }
  }
}

TEST_F(Composer, UnknownCharacterStyleIsOneErrorAndTheContentIsStillWritten) {
  UID story = Story({{"ab", AttributeBossList()}});
  const UID before = CharStyle(story, 1);
  const int32 spanOwn = OwnErrors(u"span");
  ASSERT_EQ(kSuccess, Compose(u"<span cstyle=\"Nope\">x</span>", story, 2));
  EXPECT_EQ("abx\r", Text(story));
  EXPECT_EQ(before, CharStyle(story, 2));
  ASSERT_EQ(1 + spanOwn, State()->GetErrorCount());
  const std::string text = State()->GetErrorText().GetUTF8String();
  EXPECT_EQ("Character style not found (element 'span', attribute 'cstyle')", text.substr(0, text.find('\n')));
}

TEST_F(Composer, TextAfterAnElementReturnsToTheStyleAndOverridesBeforeIt) {
  UID story = Story({{"a", AttributeBossList()}, {"b", Attrs({TextAttr::Underline(true), TextAttr::PointSize(14)})}});
  const int32 spanOwn = OwnErrors(u"span");
  ASSERT_EQ(kSuccess,
            Compose(u"<span cstyle=\"Emphasis\" format=\"font-size: 20pt; underline: no; position: sub\">S</span>T",
                    story, 2));
  ASSERT_EQ("abST\r", Text(story));
  EXPECT_EQ(emphasis_, CharStyle(story, 2));
  EXPECT_EQ("Italic", FontStyle(story, 2));
  EXPECT_EQ(20.0, Size(story, 2));
  EXPECT_EQ(0, Value(story, 2, kTextAttrUnderlineBoss));
  EXPECT_EQ(TextAttr::kPositionSubscript, Value(story, 2, kTextAttrPositionBoss));

  EXPECT_EQ(CharStyle(story, 1), CharStyle(story, 3));
  EXPECT_EQ("Regular", FontStyle(story, 3));
  EXPECT_EQ(14.0, Size(story, 3));
  EXPECT_EQ(1, Value(story, 3, kTextAttrUnderlineBoss));
  EXPECT_EQ(TextAttr::kPositionNormal, Value(story, 3, kTextAttrPositionBoss));
  EXPECT_EQ(spanOwn, State()->GetErrorCount());
}

TEST_F(Composer, StylesFollowNestingNotTheCharacterBeforeTheDestination) {
  UID story = Story({{"a", AttributeBossList()}});
  const UID none = CharStyle(story, 0);
  // An element first in a styled container, and one right after a styled element.
  ASSERT_EQ(kSuccess,
            Compose(u"<span cstyle=\"Strong\"><span cstyle=\"Emphasis\">x</span>y</span>"
                    u"<span cstyle=\"Emphasis\">p</span><probe text=\"q\"/>z",
                    story, 1));
  ASSERT_EQ("axypqz\r", Text(story));
  EXPECT_EQ(emphasis_, CharStyle(story, 1));
  EXPECT_EQ(strong_, CharStyle(story, 2));
  EXPECT_EQ("Bold", FontStyle(story, 2));
  EXPECT_EQ(emphasis_, CharStyle(story, 3));
  EXPECT_EQ(none, CharStyle(story, 4));
  EXPECT_EQ(none, CharStyle(story, 5));
  EXPECT_EQ("Regular", FontStyle(story, 5));
}

TEST_F(Composer, FormatPropertiesSetSizeAndPositionInAnyLetterCase) {
  struct Case {
    const char16_t* format;
    double size;
    int64 position;
  } cases[] = {
      {u"font-size: 9 pt; position: sup", 9, TextAttr::kPositionSuperscript},
      {u"FONT-SIZE: 9 PT; POSITION: SUP", 9, TextAttr::kPositionSuperscript},
      {u"position: sideways", 12, TextAttr::kPositionNormal},
  };
  const int32 spanOwn = OwnErrors(u"span");
  for (const Case& c : cases) {
    SCOPED_TRACE(PMString(c.format).GetUTF8String());
    UID story = Story({{"a", AttributeBossList()}});
    ASSERT_EQ(kSuccess, Compose(u"<span format=\"" + std::u16string(c.format) + u"\">x</span>y", story, 1));
    ASSERT_EQ("axy\r", Text(story));
    EXPECT_EQ(c.size, Size(story, 1));
    EXPECT_EQ(c.position, Value(story, 1, kTextAttrPositionBoss));
    EXPECT_EQ(12.0, Size(story, 2));
    EXPECT_EQ(spanOwn, State()->GetErrorCount());
  }
}

TEST_F(Composer, UnknownFontFamilyDropsTheElementsOwnOutputButNotItsContent) {
  UID story = Story({{"a", AttributeBossList()}});
  ASSERT_EQ(kSuccess, Compose(u"<probe text=\"P\" format=\"font-family: Nope\">in</probe>"
                              u"<probe text=\"Q\" format=\"font-family: SERIF\"/>",
                              story, 1));
  EXPECT_EQ("ainQ\r", Text(story));
  EXPECT_EQ(serif_, TextAttr::AsUID(Attr(story, 3, kTextAttrFontBoss)));
  EXPECT_NE(serif_, TextAttr::AsUID(Attr(story, 1, kTextAttrFontBoss)));
  EXPECT_EQ(0, State()->GetErrorCount());
}

TEST_F(Composer, RunsCarryTheirAttributesUnderTheFormatsAndElementErrorsKeepTheirText) {
  UID story = Story({{"a", AttributeBossList()}});
  ASSERT_EQ(kSuccess, Compose(u"<probe text=\"b|c\" size=\"14\" format=\"underline: yes; font-size: 9\"/>"
                              u"<probe text=\"d\" size=\"14\"/><probe text=\"e\" result=\"77\"/>f",
                              story, 1));
  ASSERT_EQ("abcdef\r", Text(story));
  for (TextIndex at : {1, 2}) {
    EXPECT_EQ(9.0, Size(story, at));
    EXPECT_EQ(1, Value(story, at, kTextAttrUnderlineBoss));
  }
  EXPECT_EQ(14.0, Size(story, 3));
  EXPECT_EQ(0, Value(story, 3, kTextAttrUnderlineBoss));
  EXPECT_EQ(12.0, Size(story, 4));
  EXPECT_EQ(12.0, Size(story, 5));
  ASSERT_EQ(1, State()->GetErrorCount());
  EXPECT_EQ("Unknown error (0x4D) (element 'probe')", State()->GetErrorText().GetUTF8String());
}

TEST_F(Composer, ComposingBeforeTheSourceInItsStoryKeepsTheSourceOnItsCharacter) {
  UID story = Story({{"0123456789", AttributeBossList()}});
  const std::u16string format = u"<probe source=\"yes\"/>-<probe source=\"yes\"/>";
  ASSERT_EQ(kSuccess, Compose(format, story, 2, story, 7));
  EXPECT_EQ("017-723456789\r", Text(story));
  EXPECT_EQ(10, Location(IID_IXREFSOURCETEXTLOC)->GetIndex());
  EXPECT_EQ(5, Location(IID_IXREFDESTTEXTLOC)->GetIndex());
  // Text inserted at the source's own index goes in before its character too.
  ASSERT_EQ(kSuccess, Compose(format, story, 10, story, 10));
  EXPECT_EQ("017-7234567-7789\r", Text(story));
  EXPECT_EQ(13, Location(IID_IXREFSOURCETEXTLOC)->GetIndex());
  // After the source, or in another story, the source stays.
  ASSERT_EQ(kSuccess, Compose(format, story, 15, story, 2));
  EXPECT_EQ("017-7234567-7787-79\r", Text(story));
  EXPECT_EQ(2, Location(IID_IXREFSOURCETEXTLOC)->GetIndex());
  UID other = Story({{"x", AttributeBossList()}});
  ASSERT_EQ(kSuccess, Compose(format, other, 0, story, 1));
  EXPECT_EQ("1-1x\r", Text(other));
  EXPECT_EQ(1, Location(IID_IXREFSOURCETEXTLOC)->GetIndex());
}

TEST_F(Composer, ErrorTextNamesEachProblemOnItsOwnLine) {
  UID story = Story({{"a", AttributeBossList()}});
  ASSERT_EQ(kSuccess, Compose(u"<probe cstyle=\"Notes:Nope\" result=\"994407\"/>", story, 1));
  ASSERT_EQ(2, State()->GetErrorCount());
  const PMString text = State()->GetErrorText();
  EXPECT_TRUE(text.HasTranslated());
  EXPECT_EQ("Character style not found (element 'probe', attribute 'cstyle')\n"
            "No paragraph of that style at or before the source (element 'probe')",
            text.GetUTF8String());
  State()->ClearErrors();
  EXPECT_EQ(0, State()->GetErrorCount());
  EXPECT_EQ("", State()->GetErrorText().GetUTF8String());
}

TEST(ComposerErrorStrings, EveryCompositionErrorCodeHasEnglishText) {
  TestApp app;
  for (int32 code = 0xF2C64; code <= 0xF2C6E; ++code) {
    const std::string text = ErrorUtils::PMGetErrorString(ErrorCode{code}).GetUTF8String();
    SCOPED_TRACE(code);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(std::string::npos, text.find("QX#"));
    EXPECT_EQ(std::string::npos, text.find("Error 0x"));
  }
  EXPECT_EQ("Paragraph style not found", ErrorUtils::PMGetErrorString(kXRefParaStyleNotFoundError).GetUTF8String());
  // Codes no table words read as words, their number in parentheses; the
  // host words its own.
  EXPECT_EQ("Unknown error (0xF2CFF)", ErrorUtils::PMGetErrorString(ErrorCode{0xF2CFF}).GetUTF8String());
  EXPECT_EQ("The position lies outside the story", ErrorUtils::PMGetErrorString(ErrorCode{0x21}).GetUTF8String());
}

TEST_F(Composer, NothingIsWrittenWhereTextCannotGo) {
  UID story = Story({{"ab", AttributeBossList()}});
  const std::string before = DocumentBytes(doc_);
  EXPECT_EQ(kFailure, Compose(u"x", story, 3));  // the final return is the story's last character
  EXPECT_EQ(kFailure, Compose(u"x", story, -1));
  EXPECT_EQ(kFailure, Compose(u"x", kInvalidUID, 0));
  composer_.reset(utils_->QueryComposer());
  EXPECT_EQ(kFailure, composer_->Compose(PMString("x"), nullptr, kInvalidUID, 0, nullptr, story, 0));
  EXPECT_EQ(before, DocumentBytes(doc_));

  // A locked story refuses the text; the failure does not linger as the global error.
  ASSERT_TRUE(build_.SetLocked(story, true));
  EXPECT_EQ(kSuccess, Compose(u"x<span cstyle=\"Strong\">y</span>", story, 2));
  EXPECT_EQ("ab\r", Text(story));
  EXPECT_EQ(kSuccess, ErrorUtils::PMGetGlobalErrorCode());
}

TEST_F(Composer, AFormatThatDoesNotParseReportsTheParserErrorAndLeavesNothingBehind) {
  UID story = Story({{"a", AttributeBossList()}});
  const ErrorCode result = Compose(u"x<span cstyle=\"Nope\">y", story, 1);
  EXPECT_NE(kSuccess, result);
  EXPECT_NE(kFailure, result);
  EXPECT_EQ(kSuccess, ErrorUtils::PMGetGlobalErrorCode());
  EXPECT_EQ(0u, Text(story).find("ax"));
  EXPECT_NE(kSuccess, Compose(u"<paratext>x</paratext>", story, 1));

  // The same object composes the next format afresh: no stale problems, no
  // styles restored from the unfinished element.
  InterfacePtr<IXRefComposer> composer(utils_->QueryComposer());
  InterfacePtr<IXRefComposerState> state(composer.get(), IID_IXREFCOMPOSERSTATE);
  UID clean = Story({{"a", AttributeBossList()}});
  const UID none = CharStyle(clean, 0);
  EXPECT_NE(kSuccess, composer->Compose(PMString(u"<probe cstyle=\"Strong\"><probe cstyle=\"Nope\">"), doc_,
                                        kInvalidUID, -1, doc_, clean, 1));
  EXPECT_EQ(1, state->GetErrorCount());
  ASSERT_EQ(kSuccess, composer->Compose(PMString(u"<probe text=\"b\"/>c"), doc_, kInvalidUID, -1, doc_, clean, 1));
  EXPECT_EQ(0, state->GetErrorCount());
  EXPECT_EQ("abc\r", Text(clean));
  EXPECT_EQ(none, CharStyle(clean, 1));
  EXPECT_EQ(none, CharStyle(clean, 2));
}

TEST_F(Composer, UndoOfTheCommandThatComposedRemovesTextAndAttributesExactly) {
  UID story = Story({{"Intro ", AttributeBossList()}, {"x", Attrs({TextAttr::Language(german_)})}});
  build_.AddParagraph(story, heading_);
  build_.AddRun(story, WideString("Source"));
  const std::string before = DocumentBytes(doc_);
  const std::string storyBefore = StoryState(doc_, story);
  {
    CmdUtils::SequenceContext sequence(PMString("Compose"));
    ASSERT_EQ(kSuccess,
              Compose(u"See <span cstyle=\"Emphasis\" format=\"font-size: 9 pt; color: Red; case: all\">"
                      u"<probe source=\"yes\" size=\"14\"/> on</span> <span lang=\"German\">p.^s</span>"
                      u"<span lang=\"French\">nie</span>.",
                      story, 7, story, 8));
  }
  const std::string after = DocumentBytes(doc_);
  ASSERT_EQ("Intro xSee S on p.\u00A0.\rSource\r", Text(story));
  ASSERT_NE(before, after);
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ(storyBefore, StoryState(doc_, story));
  ASSERT_TRUE(doc_->Redo());
  EXPECT_EQ(after, DocumentBytes(doc_));
}
