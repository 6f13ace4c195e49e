// The building blocks that read the text at the source: paratext, paranum
// and marker, through the composer and called directly.
#include "format/IXRefElement.h"
#include "format/XRefFormatDocument.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/IFootnote.h"
#include "host/IOwnedItemStrand.h"
#include "tests/support/ComposerFixture.h"
#include "tests/support/RecordingHandler.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestOwnedItems.h"

namespace {
// The owned-item classes that bracket a cross-reference's text.
constexpr ClassID kStartMarker{0xF2C07};
constexpr ClassID kEndMarker{0xF2C09};

struct Problem {
  std::string element, attribute;
  uint32 code;
};

class TextElements : public ComposerFixture {
protected:
  TextElements() { RegisterTestOwnedItems(); }

  // Composes the format into a new story from the source position and
  // answers the composed text (without the story's final return).
  std::string From(const std::u16string& format, UID story, TextIndex at) {
    UID dest = build_.NewStory();
    if (Compose(format, dest, 0, story, at) != kSuccess) return "(parse failed)";
    std::string text = Text(dest);
    return text.substr(0, text.size() - 1);
  }

  // The problems the last composition recorded.
  int32 Errors() { return State()->GetErrorCount(); }
  std::string ErrorText() { return State()->GetErrorText().GetUTF8String(); }

  // Calls the element directly with the attributes given, the source at the
  // position and the destination at the start of a story of the document.
  ErrorCode Direct(const char* element, std::vector<std::pair<std::u16string, std::u16string>> list, UID story,
                   TextIndex at, std::vector<ComposedRun>* runs, IDataBase* destDB = nullptr,
                   UID destStory = kInvalidUID) {
    composer_.reset(utils_->QueryComposer());
    InterfacePtr<IXRefElement> block(utils_->QueryElement(PMString(element)));
    if (!composer_ || !block) return ErrorCode{-1};
    InterfacePtr<IXRefTextLoc> source = Location(IID_IXREFSOURCETEXTLOC);
    InterfacePtr<IXRefTextLoc> dest = Location(IID_IXREFDESTTEXTLOC);
    source->SetLocation(doc_, story, at);
    dest->SetLocation(destDB ? destDB : doc_, destStory, 0);
    State()->ClearErrors();
    FakeAttributes attributes(std::move(list));
    return block->Compose(*runs, &attributes, State().get(), source.get(), dest.get());
  }

  static std::string RunText(const ComposedRun& run) { return run.text.GetUTF8String(); }
  static const TextAttribute* RunAttr(const ComposedRun& run, ClassID cls) {
    return run.attributes ? run.attributes->Find(cls) : nullptr;
  }

  // Anchors an object of the given owned-item class at the index.
  void Anchor(UID story, TextIndex at, ClassID cls) {
    UID item = NewTestMarker(doc_, kTestPlainMarkerBoss, "bracket");
    InterfacePtr<IOwnedItemStrand> owned = StrandOf<IOwnedItemStrand>(doc_, story, kOwnedItemStrandBoss);
    ASSERT_TRUE(owned->SetOwnedItem(at, cls, item));
  }
};

const std::string kNbsp = "\xC2\xA0";

// The DTD's defaults as the parser reports them for an element written
// without attributes.
std::vector<std::pair<std::u16string, std::u16string>> ParatextDefaults() {
  return {{u"includesoftcr", u"false"},    {u"includetab", u"false"},        {u"retainfontfamily", u"false"},
          {u"retainfontstyle", u"false"},  {u"retainposition", u"false"},    {u"retainunderline", u"false"},
          {u"includedelimiter", u"false"}, {u"includetrailingws", u"false"}, {u"includexref", u"false"}};
}
}  // namespace

TEST_F(TextElements, ParatextCopiesTheSourceParagraphWithTheCharacterTable) {
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("Before"));
  build_.AddParagraph(story);
  const TextIndex start = build_.AddRun(story, WideString::FromUTF8("A\tb\nc\x03\x07\xEF\xBB\xBF\x16\x17 d  "));
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("After"));

  EXPECT_EQ("A" + kNbsp + "b" + kNbsp + "c d", From(u"<paratext/>", story, start + 3));
  EXPECT_EQ(0, Errors());
  EXPECT_EQ("A\tb\nc d", From(u"<paratext includetab='yes' includesoftcr='true'/>", story, start));
  EXPECT_EQ("A\tb\nc d  ", From(u"<paratext includetab='yes' includesoftcr='yes' includetrailingws='yes'/>", story, start));
  // The source on the paragraph's own return still reads that paragraph.
  EXPECT_EQ("Before", From(u"[<paratext/>]", story, 6).substr(1, 6));
}

TEST_F(TextElements, ParatextInAnEmptyParagraphGivesNothingAndNoError) {
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("Full"));
  build_.AddParagraph(story);
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("More"));
  EXPECT_EQ("[]", From(u"[<paratext/>]", story, 5));
  EXPECT_EQ(0, Errors());
  EXPECT_EQ("[]", From(u"[<paratext filterbycstyle='Emphasis'/>]", story, 5));
  EXPECT_EQ(0, Errors());
}

TEST_F(TextElements, DelimiterTabStopsAtTheFirstTab) {
  UID story = Story({{"Word\tmore text\tend", AttributeBossList()}});
  EXPECT_EQ("Word", From(u"<paratext delimiter='^t'/>", story, 0));
  EXPECT_EQ("Word\t", From(u"<paratext delimiter='^t' includedelimiter='yes' includetab='yes' "
                           u"includetrailingws='yes'/>",
                           story, 0));
  EXPECT_EQ(0, Errors());
}

TEST_F(TextElements, DelimiterOfSeveralCharactersIsTakenBackWhole) {
  UID story = Story({{"Figure 3: The plan: details", AttributeBossList()}});
  EXPECT_EQ("Figure 3", From(u"<paratext delimiter=': '/>", story, 0));
  EXPECT_EQ("Figure 3:", From(u"<paratext delimiter=': ' includedelimiter='yes'/>", story, 0));
  // Never found: the whole paragraph.
  EXPECT_EQ("Figure 3: The plan: details", From(u"<paratext delimiter='::'/>", story, 0));
}

TEST_F(TextElements, FilteredDelimiterTakesBackOnlyWhatItPutOut) {
  // The tab is not in the filter's style, so it puts nothing out; taking
  // back one character regardless would eat the last letter of the word.
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("Word"), emphasis_);
  build_.AddRun(story, WideString("\tnot"));
  build_.AddRun(story, WideString("later"), emphasis_);
  EXPECT_EQ("Word", From(u"<paratext filterbycstyle='Emphasis' delimiter='^t'/>", story, 0));
  EXPECT_EQ("Wordlater", From(u"<paratext filterbycstyle='Emphasis'/>", story, 0));
  EXPECT_EQ(0, Errors());
}

TEST_F(TextElements, DelimiterAcrossRunsTakesBackFromTheEarlierRun) {
  // ". " whose period is superscript: the period ends the run before the
  // space's run, and both go.
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("One"));
  build_.AddRun(story, WideString("."), kInvalidUID, Attrs({TextAttr::Position(TextAttr::kPositionSuperscript)}));
  build_.AddRun(story, WideString(" two"));
  std::vector<ComposedRun> runs;
  auto list = ParatextDefaults();
  list.push_back({u"retainposition", u"true"});
  list.push_back({u"delimiter", u". "});
  list.erase(list.begin() + 4);  // the default retainposition
  ASSERT_EQ(kSuccess, Direct("paratext", list, story, 0, &runs));
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ("One", RunText(runs[0]));
}

TEST_F(TextElements, NestedCrossReferenceIsLeftOutUnlessIncluded) {
  UID story = build_.NewStory();
  build_.AddParagraph(story, heading_);
  build_.AddRun(story, WideString::FromUTF8("See \xEF\xBB\xBFpage 4\xEF\xBB\xBF for more"));
  Anchor(story, 4, kStartMarker);
  Anchor(story, 11, kEndMarker);
  EXPECT_EQ("See  for more", From(u"<paratext/>", story, 0));
  EXPECT_EQ("See page 4 for more", From(u"<paratext includexref='yes'/>", story, 0));
  // A delimiter inside the nested text is not seen when it is left out.
  EXPECT_EQ("See  for", From(u"<paratext delimiter=' 4' />", story, 0).substr(0, 8));
  EXPECT_EQ("See page", From(u"<paratext includexref='yes' delimiter=' 4'/>", story, 0));
  // An end marker without a start changes nothing.
  UID lone = build_.NewStory();
  build_.AddParagraph(lone);
  build_.AddRun(lone, WideString::FromUTF8("ab\xEF\xBB\xBF" "cd"));
  Anchor(lone, 2, kEndMarker);
  EXPECT_EQ("abcd", From(u"<paratext/>", lone, 0));
  // Far into a long paragraph, where reading ahead moves on.
  const std::string filler(255, 'a');
  for (TextIndex start : {255, 256, 257}) {
    UID longer = build_.NewStory();
    build_.AddParagraph(longer);
    const std::string before = filler + std::string(static_cast<size_t>(start) - 255, 'a');
    const TextIndex run = build_.AddRun(longer, WideString::FromUTF8(before + "\xEF\xBB\xBFxy\xEF\xBB\xBF" "b"));
    Anchor(longer, run + start, kStartMarker);
    Anchor(longer, run + start + 3, kEndMarker);
    EXPECT_EQ(before + "b", From(u"<paratext/>", longer, 0));
  }
}

TEST_F(TextElements, RetainPositionGivesThreeRunsForAFormulaWithASubscript) {
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("H"));
  build_.AddRun(story, WideString("2"), kInvalidUID, Attrs({TextAttr::Position(TextAttr::kPositionSubscript)}));
  build_.AddRun(story, WideString("O"));

  std::vector<ComposedRun> runs;
  auto list = ParatextDefaults();
  list[4].second = u"yes";  // retainposition
  ASSERT_EQ(kSuccess, Direct("paratext", list, story, 1, &runs));
  ASSERT_EQ(3u, runs.size());
  EXPECT_EQ("H", RunText(runs[0]));
  EXPECT_EQ(nullptr, RunAttr(runs[0], kTextAttrPositionBoss));
  EXPECT_EQ("2", RunText(runs[1]));
  ASSERT_NE(nullptr, RunAttr(runs[1], kTextAttrPositionBoss));
  EXPECT_EQ(2, RunAttr(runs[1], kTextAttrPositionBoss)->intValue);
  EXPECT_EQ("O", RunText(runs[2]));
  ASSERT_NE(nullptr, RunAttr(runs[2], kTextAttrPositionBoss));
  EXPECT_EQ(0, RunAttr(runs[2], kTextAttrPositionBoss)->intValue);
  EXPECT_EQ(1, runs[2].attributes->CountBosses());  // only what is retained

  // Through the composer the destination shows the subscript on its own.
  UID dest = Story({{"[]", AttributeBossList()}});
  ASSERT_EQ(kSuccess, Compose(u"<paratext retainposition='yes'/>", dest, 1, story, 0));
  EXPECT_EQ("[H2O]\r", Text(dest));
  EXPECT_EQ(0, Value(dest, 1, kTextAttrPositionBoss));
  EXPECT_EQ(2, Value(dest, 2, kTextAttrPositionBoss));
  EXPECT_EQ(0, Value(dest, 3, kTextAttrPositionBoss));
  // Not retained: one run, the destination's attributes throughout.
  runs.clear();
  ASSERT_EQ(kSuccess, Direct("paratext", ParatextDefaults(), story, 1, &runs));
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ("H2O", RunText(runs[0]));
}

TEST_F(TextElements, MissingRetainAttributesFallBackToRetaining) {
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("ab"), kInvalidUID,
                Attrs({TextAttr::Font(serif_), TextAttr::FontStyle(PMString("Bold")), TextAttr::Underline(true)}));
  std::vector<ComposedRun> runs;
  ASSERT_EQ(kSuccess, Direct("paratext", {}, story, 0, &runs));
  ASSERT_EQ(1u, runs.size());
  ASSERT_TRUE(runs[0].attributes);
  EXPECT_EQ(serif_, TextAttr::AsUID(*RunAttr(runs[0], kTextAttrFontBoss)));
  EXPECT_EQ("Bold", RunAttr(runs[0], kTextAttrFontStyleBoss)->stringValue.GetUTF8String());
  EXPECT_EQ(1, RunAttr(runs[0], kTextAttrUnderlineBoss)->intValue);
  EXPECT_EQ(0, RunAttr(runs[0], kTextAttrPositionBoss)->intValue);
  EXPECT_EQ(4, runs[0].attributes->CountBosses());
}

TEST_F(TextElements, RetainedFontInAnotherDocumentIsFoundByFamily) {
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("Serif text"), kInvalidUID, Attrs({TextAttr::Font(serif_)}));

  DataBase* other = app_->NewDocument();
  DocumentBuilder there(other);
  there.AddFont("Sans", {"Regular"});
  const UID otherSerif = there.AddFont("SERIF", {"Regular"});
  ASSERT_NE(kInvalidUID, otherSerif);
  ASSERT_NE(serif_, otherSerif);
  UID dest = there.NewStory();
  there.AddParagraph(dest);
  std::vector<ComposedRun> runs;
  ASSERT_EQ(kSuccess, Direct("paratext", {{u"retainfontfamily", u"yes"}}, story, 0, &runs, other, dest));
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ("Serif text", RunText(runs[0]));
  EXPECT_EQ(otherSerif, TextAttr::AsUID(*RunAttr(runs[0], kTextAttrFontBoss)));

  // The same document keeps the identifier.
  runs.clear();
  ASSERT_EQ(kSuccess, Direct("paratext", {{u"retainfontfamily", u"yes"}}, story, 0, &runs));
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ(serif_, TextAttr::AsUID(*RunAttr(runs[0], kTextAttrFontBoss)));

  // A document without the family: the scan ends with what it has, nothing.
  DataBase* bare = app_->NewDocument();
  DocumentBuilder nothing(bare);
  nothing.AddFont("Sans", {"Regular"});
  runs.clear();
  ASSERT_EQ(kSuccess, Direct("paratext", {{u"retainfontfamily", u"yes"}}, story, 0, &runs, bare, kInvalidUID));
  EXPECT_TRUE(runs.empty());
}

TEST_F(TextElements, FontChangeMidParagraphEndsTheScanWhenTheOtherDocumentLacksIt) {
  const UID mono = build_.AddFont("Mono", {"Regular"});
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("plain "), kInvalidUID, Attrs({TextAttr::Font(serif_)}));
  build_.AddRun(story, WideString("code"), kInvalidUID, Attrs({TextAttr::Font(mono)}));
  DataBase* other = app_->NewDocument();
  DocumentBuilder there(other);
  const UID otherSerif = there.AddFont("Serif", {"Regular"});
  std::vector<ComposedRun> runs;
  ASSERT_EQ(kSuccess, Direct("paratext", {{u"retainfontfamily", u"yes"}}, story, 0, &runs, other, kInvalidUID));
  ASSERT_EQ(1u, runs.size());
  // The run before the end stays, without the trailing blank the output
  // never ends with.
  EXPECT_EQ("plain", RunText(runs[0]));
  EXPECT_EQ(otherSerif, TextAttr::AsUID(*RunAttr(runs[0], kTextAttrFontBoss)));
}

TEST_F(TextElements, PrecedingAndFollowingStylesChooseTheParagraph) {
  UID story = build_.NewStory();
  build_.AddParagraph(story, heading_);
  build_.AddRun(story, WideString("Chapter"));  // 0..7
  build_.AddParagraph(story, body_);
  build_.AddRun(story, WideString("Body one"));  // 8..16
  build_.AddParagraph(story, caption_);
  build_.AddRun(story, WideString("Caption"));  // 17..24
  build_.AddParagraph(story, body_);
  build_.AddRun(story, WideString("Body two"));  // 25..

  EXPECT_EQ("Chapter", From(u"<paratext precedingpstyle='Heading'/>", story, 10));
  EXPECT_EQ("Caption", From(u"<paratext followingpstyle='Notes:Caption'/>", story, 10));
  // The source's own paragraph counts in both directions.
  EXPECT_EQ("Caption", From(u"<paratext precedingpstyle='Notes:Caption'/>", story, 20));
  EXPECT_EQ("Body one", From(u"<paratext followingpstyle='Body'/>", story, 10));
  // Both given: preceding wins.
  EXPECT_EQ("Chapter", From(u"<paratext followingpstyle='Notes:Caption' precedingpstyle='Heading'/>", story, 10));
  EXPECT_EQ(0, Errors());
}

TEST_F(TextElements, MissingPrecedingStyleIsRecordedAndTheSourceParagraphIsOutput) {
  UID story = build_.NewStory();
  build_.AddParagraph(story, body_);
  build_.AddRun(story, WideString("First"));
  build_.AddParagraph(story, body_);
  build_.AddRun(story, WideString("Second"));
  build_.AddParagraph(story, heading_);
  build_.AddRun(story, WideString("Late heading"));

  EXPECT_EQ("Second", From(u"<paratext precedingpstyle='Heading'/>", story, 8));
  ASSERT_EQ(1, Errors());
  std::vector<ComposedRun> runs;
  ASSERT_EQ(kSuccess, Direct("paratext", {{u"precedingpstyle", u"Heading"}}, story, 8, &runs));
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ("Second", RunText(runs[0]));
  const std::string text = ErrorText();
  EXPECT_NE(std::string::npos, text.find("paratext")) << text;
  EXPECT_NE(std::string::npos, text.find("precedingpstyle")) << text;

  // The code itself, through a state of our own.
  struct : public IXRefComposerState {
    IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
    void AddRef() const override {}
    void Release() const override {}
    void AddAttributeError(const PMString& e, const PMString& a, ErrorCode c) override {
      seen.push_back({e.GetUTF8String(), a.GetUTF8String(), IdValue(c)});
    }
    void AddElementError(const PMString& e, ErrorCode c) override { seen.push_back({e.GetUTF8String(), "", IdValue(c)}); }
    int32 GetErrorCount() const override { return static_cast<int32>(seen.size()); }
    void ClearErrors() override { seen.clear(); }
    PMString GetErrorText() const override { return PMString(); }
    std::vector<Problem> seen;
  } state;
  InterfacePtr<IXRefElement> paratext(utils_->QueryElement(PMString("paratext")));
  auto call = [&](std::vector<std::pair<std::u16string, std::u16string>> list) {
    state.ClearErrors();
    runs.clear();
    FakeAttributes attributes(std::move(list));
    InterfacePtr<IXRefTextLoc> source = Location(IID_IXREFSOURCETEXTLOC);
    source->SetLocation(doc_, story, 8);
    return paratext->Compose(runs, &attributes, &state, source.get(), Location(IID_IXREFDESTTEXTLOC).get());
  };
  ASSERT_EQ(kSuccess, call({{u"precedingpstyle", u"Heading"}}));
  ASSERT_EQ(1u, state.seen.size());
  EXPECT_EQ("paratext", state.seen[0].element);
  EXPECT_EQ("precedingpstyle", state.seen[0].attribute);
  EXPECT_EQ(0xF2C67u, state.seen[0].code);
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ("Second", RunText(runs[0]));

  ASSERT_EQ(kSuccess, call({{u"followingpstyle", u"Notes:Caption"}}));
  ASSERT_EQ(1u, state.seen.size());
  EXPECT_EQ("followingpstyle", state.seen[0].attribute);
  EXPECT_EQ(0xF2C68u, state.seen[0].code);
  EXPECT_EQ("Second", RunText(runs.at(0)));

  ASSERT_EQ(kSuccess, call({{u"precedingpstyle", u"No such style"}}));
  ASSERT_EQ(1u, state.seen.size());
  EXPECT_EQ(0xF2C65u, state.seen[0].code);
  EXPECT_EQ("Second", RunText(runs.at(0)));

  ASSERT_EQ(kSuccess, call({{u"filterbycstyle", u"No such style"}}));
  ASSERT_EQ(1u, state.seen.size());
  EXPECT_EQ("filterbycstyle", state.seen[0].attribute);
  EXPECT_EQ(0xF2C66u, state.seen[0].code);
  EXPECT_EQ("Second", RunText(runs.at(0)));  // no filter applies

  ASSERT_EQ(kSuccess, call({{u"filterbycstyle", u"Strong"}}));
  ASSERT_EQ(1u, state.seen.size());
  EXPECT_EQ(0xF2C6Eu, state.seen[0].code);
  EXPECT_TRUE(runs.empty());
}

TEST_F(TextElements, FilterKeepsOnlyTheStyledCharacters) {
  UID story = build_.NewStory();
  build_.AddParagraph(story);
  build_.AddRun(story, WideString("The "));
  build_.AddRun(story, WideString("key"), strong_);
  build_.AddRun(story, WideString(" and the "));
  build_.AddRun(story, WideString("door"), strong_);
  EXPECT_EQ("keydoor", From(u"<paratext filterbycstyle='Strong'/>", story, 2));
  EXPECT_EQ(0, Errors());
  EXPECT_EQ("The key and the door", From(u"<paratext filterbycstyle='Nothing'/>", story, 2));
  EXPECT_EQ(1, Errors());
}

TEST_F(TextElements, FootnoteTextLeavesOutItsReferenceAndSeparator) {
  LayoutBuilder layout(doc_);
  ASSERT_TRUE(layout.SetFootnoteSettings(0, 1, "", "", "", ".", "\t"));
  UID story = Story({{"Main text here", AttributeBossList()}});
  const UID note = layout.AddFootnote(story, 4, WideString("Note\ttext"));
  ASSERT_NE(kInvalidUID, note);
  InterfacePtr<IFootnote> footnote(doc_, note, IID_IFOOTNOTE);
  const UID noteStory = footnote->GetFootnoteStoryUID();
  EXPECT_EQ("Note" + kNbsp + "text", From(u"<paratext/>", noteStory, 5));
  EXPECT_EQ("Note", From(u"<paratext delimiter='^t'/>", noteStory, 5));
  // In the main text the reference character goes, the text after it stays.
  EXPECT_EQ("Main text here", From(u"<paratext/>", story, 0));
}

TEST_F(TextElements, FootnoteReferenceFollowedByOtherTextKeepsThatText) {
  LayoutBuilder layout(doc_);
  ASSERT_TRUE(layout.SetFootnoteSettings(0, 1, "", "", "", ".", "--"));
  UID story = Story({{"ab", AttributeBossList()}});
  ASSERT_NE(kInvalidUID, layout.AddFootnote(story, 1, WideString("x")));
  // The reference is followed by "b", not by the separator: "b" is kept.
  EXPECT_EQ("ab", From(u"<paratext/>", story, 0));
}

TEST_F(TextElements, TextVariableGivesItsCurrentText) {
  LayoutBuilder layout(doc_);
  const UID variable = layout.AddTextVariable("Product", "XRef Pro");
  UID story = Story({{"Using  today", AttributeBossList()}});
  ASSERT_NE(kInvalidUID, layout.InsertTextVariable(story, 6, variable));
  EXPECT_EQ("Using XRef Pro today", From(u"<paratext/>", story, 0));
  // A delimiter holding the variable's character takes its whole text back.
  std::vector<ComposedRun> runs;
  auto list = ParatextDefaults();
  list.push_back({u"delimiter", u"\x18 "});
  ASSERT_EQ(kSuccess, Direct("paratext", list, story, 0, &runs));
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ("Using", RunText(runs[0]));
  // A variable character with nothing anchored is dropped.
  UID bare = Story({{"a\x18" "b", AttributeBossList()}});
  EXPECT_EQ("ab", From(u"<paratext/>", bare, 0));
}

TEST_F(TextElements, CharactersOutsideTheBasicPlaneAreCopiedWhole) {
  UID story = Story({{"x\xF0\x9D\x90\x80y \xF0\x9D\x90\x81", AttributeBossList()}});
  EXPECT_EQ("x\xF0\x9D\x90\x80y \xF0\x9D\x90\x81", From(u"<paratext/>", story, 0));
  EXPECT_EQ("x", From(u"<paratext delimiter='\U0001D400'/>", story, 0));
}

TEST_F(TextElements, ParatextWithoutInputReportsMissingInput) {
  std::vector<ComposedRun> runs;
  InterfacePtr<IXRefElement> paratext(utils_->QueryElement(PMString("paratext")));
  InterfacePtr<IXRefElement> paranum(utils_->QueryElement(PMString("paranum")));
  InterfacePtr<IXRefElement> marker(utils_->QueryElement(PMString("marker")));
  composer_.reset(utils_->QueryComposer());
  InterfacePtr<IXRefTextLoc> source = Location(IID_IXREFSOURCETEXTLOC);
  source->SetLocation(doc_, Story({{"text", AttributeBossList()}}), 0);
  FakeAttributes none({});
  for (IXRefElement* e : {paratext.get(), paranum.get(), marker.get()}) {
    ASSERT_TRUE(e);
    EXPECT_EQ(kXRefMissingInputError, e->Compose(runs, nullptr, State().get(), source.get(), nullptr));
    EXPECT_EQ(kXRefMissingInputError, e->Compose(runs, &none, State().get(), nullptr, nullptr));
  }
  // A position past the story's end is no source either.
  source->SetLocation(doc_, source->GetStoryRef().GetUID(), 99);
  for (IXRefElement* e : {paratext.get(), paranum.get(), marker.get()})
    EXPECT_EQ(kXRefMissingInputError, e->Compose(runs, &none, State().get(), source.get(), nullptr));
  EXPECT_TRUE(runs.empty());
  // A source without a story: through the composer, recorded against the element.
  UID dest = Story({{"-", AttributeBossList()}});
  ASSERT_EQ(kSuccess, Compose(u"<paratext/><marker/>", dest, 0));
  EXPECT_EQ(2, Errors());
  EXPECT_EQ("-\r", Text(dest));
}

namespace {
class NumberedElements : public TextElements {
protected:
  NumberedElements() : layout_(doc_) {
    h1_ = build_.AddParagraphStyle("Head 1", AttributeBossList(), kNumberedList);
    h2_ = build_.AddParagraphStyle("Head 2", AttributeBossList(), kNumberedList);
    layout_.SetNumbering(h1_, "headings", 1, "^1.");
    layout_.SetNumbering(h2_, "headings", 2, "^1.^2.\t");
    story_ = build_.NewStory();
    for (const char* title : {"One", "Two", "Three"}) {
      build_.AddParagraph(story_, h1_);
      build_.AddRun(story_, WideString(title));
    }
    build_.AddParagraph(story_, h2_);
    sub_ = build_.AddRun(story_, WideString("Sub"));
    build_.AddParagraph(story_, body_);
    body_at_ = build_.AddRun(story_, WideString("Plain"));
  }
  LayoutBuilder layout_;
  UID h1_, h2_, story_;
  TextIndex sub_, body_at_;
};
}  // namespace

TEST_F(NumberedElements, ParanumKeepsTrailingPunctuationUnlessAskedNot) {
  EXPECT_EQ("3.1.", From(u"<paranum/>", story_, sub_ + 1));
  EXPECT_EQ(0, Errors());
  EXPECT_EQ("3.1", From(u"<paranum includetrailingpunct='no'/>", story_, sub_ + 1));
  EXPECT_EQ("1", From(u"<paranum numberonly='yes'/>", story_, sub_));
  EXPECT_EQ("3.", From(u"<paranum precedingpstyle='Head 1'/>", story_, sub_));
  EXPECT_EQ("3.1.", From(u"<paranum followingpstyle='Head 2'/>", story_, 0));
}

TEST_F(NumberedElements, ParanumDirectlyFallsBackToStrippingPunctuation) {
  std::vector<ComposedRun> runs;
  // Without the parser's defaults the missing attribute falls back to false.
  ASSERT_EQ(kSuccess, Direct("paranum", {}, story_, sub_, &runs));
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ("3.1", RunText(runs[0]));
  EXPECT_FALSE(runs[0].attributes);
  runs.clear();
  ASSERT_EQ(kSuccess, Direct("paranum", {{u"includetrailingpunct", u"true"}}, story_, sub_, &runs));
  EXPECT_EQ("3.1.", RunText(runs.at(0)));
}

TEST_F(NumberedElements, ParanumOnAPlainParagraphRecordsNotNumberedUnlessNoError) {
  EXPECT_EQ("[]", From(u"[<paranum/>]", story_, body_at_));
  ASSERT_EQ(1, Errors());
  std::vector<ComposedRun> runs;
  ASSERT_EQ(kSuccess, Direct("paranum", {}, story_, body_at_, &runs));
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(1, Errors());
  EXPECT_NE(std::string::npos, ErrorText().find("paranum"));
  EXPECT_EQ("[]", From(u"[<paranum noerror='yes'/>]", story_, body_at_));
  EXPECT_EQ(0, Errors());
  // A style search that fails is recorded and the source's paragraph used.
  EXPECT_EQ("3.1.", From(u"<paranum followingpstyle='Head 1'/>", story_, sub_));
  EXPECT_EQ(1, Errors());
}

TEST_F(TextElements, MarkerGivesTheSourceMarkersName) {
  UID story = Story({{"Anchor here", AttributeBossList()}});
  const UID marker = InsertMarker(doc_, story, 6, "Figure plan");
  ASSERT_NE(kInvalidUID, marker);
  const TextIndex at = Marker(doc_, marker)->GetTextIndex();
  EXPECT_EQ("Figure plan", From(u"<marker/>", story, at));
  EXPECT_EQ("Figure plan, see", From(u"<marker>, see</marker>", story, at));
  EXPECT_EQ(0, Errors());
  // A plain position has no marker of its own.
  EXPECT_EQ("Source Marker", From(u"<marker/>", story, 0));
}

TEST(FormatDocument, WhiteSpaceInAttributeValuesBecomesCharacterReferences) {
  const PMString header("H");
  auto doc = [&](const char16_t* format) {
    PMString document;
    MarkupFault fault;
    return AssembleFormatDocument(header, PMString(std::u16string(format)), &document, &fault)
               ? document.GetUTF8String()
               : std::string("refused");
  };
  EXPECT_EQ("H<xref><paratext delimiter='&#9;'/></xref>", doc(u"<paratext delimiter='\t'/>"));
  EXPECT_EQ("H<xref><a b=\"x&#10;'&#13;\"/></xref>", doc(u"<a b=\"x\n'\r\"/>"));
  // Literal text and the blanks between attributes stay as typed.
  EXPECT_EQ("H<xref>a\tb<a\tb='1'\n/>\t'c'\t</xref>", doc(u"a\tb<a\tb='1'\n/>\t'c'\t"));
}
