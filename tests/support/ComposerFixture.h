#pragma once
// A running application with the plug-in and the probe building block, and a
// document with fonts, swatches, languages and styles in groups, into whose
// stories formats are composed.
#include "format/IXRefComposer.h"
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "headless/text/DocumentBuilder.h"
#include "host/ITextAttributes.h"
#include "host/TextAttr.h"
#include "host/UtilsBoss.h"
#include "tests/support/ComposerProbeElement.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

inline AttributeBossList Attrs(std::initializer_list<TextAttribute> list) {
  AttributeBossList result;
  for (const TextAttribute& a : list) result.ApplyAttribute(a);
  return result;
}

class ComposerFixture : public ::testing::Test {
protected:
  ComposerFixture() : doc_(app_->NewDocument()), build_(doc_) {
    utils_.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    serif_ = build_.AddFont("Serif", {"Regular", "Bold", "Italic"});
    red_ = build_.AddSwatch("Red", 0xFF0000);
    redLower_ = build_.AddSwatch("red", 0xCC0000);
    german_ = build_.AddLanguage("kLanguageGerman");
    english_ = build_.AddLanguage("kLanguageEnglishUK");
    klingon_ = build_.AddLanguage("Klingon");
    emphasis_ = build_.AddCharacterStyle("Emphasis", Attrs({TextAttr::FontStyle(PMString("Italic"))}));
    strong_ = build_.AddCharacterStyle("Strong", Attrs({TextAttr::FontStyle(PMString("Bold"))}));
    small_ = build_.AddCharacterStyle("Notes:Small", Attrs({TextAttr::PointSize(8)}));
    heading_ = build_.AddParagraphStyle("Heading", AttributeBossList());
    body_ = build_.AddParagraphStyle("Body", AttributeBossList());
    caption_ = build_.AddParagraphStyle("Notes:Caption", AttributeBossList());
  }
  ~ComposerFixture() override { WithdrawProbeElement(); }

  void SetUp() override {
    ASSERT_TRUE(utils_);
    ASSERT_NE(kInvalidUID, caption_);
  }

  // A story of one paragraph made of the runs, each with its own attributes.
  UID Story(std::initializer_list<std::pair<const char*, AttributeBossList>> runs, UID charStyle = kInvalidUID) {
    UID story = build_.NewStory();
    build_.AddParagraph(story);
    for (auto& run : runs) build_.AddRun(story, WideString::FromUTF8(run.first), charStyle, run.second);
    return story;
  }

  // Composes with a new composer object, kept for its state and locations.
  ErrorCode Compose(const std::u16string& format, UID destStory, TextIndex destIndex, UID sourceStory = kInvalidUID,
                    TextIndex sourceIndex = kInvalidTextIndex) {
    composer_.reset(utils_->QueryComposer());
    if (!composer_) return ErrorCode{-1};
    return composer_->Compose(PMString(format), doc_, sourceStory, sourceIndex, doc_, destStory, destIndex);
  }
  InterfacePtr<IXRefComposerState> State() const {
    return InterfacePtr<IXRefComposerState>(composer_.get(), IID_IXREFCOMPOSERSTATE);
  }
  InterfacePtr<IXRefTextLoc> Location(PMIID iid) const { return InterfacePtr<IXRefTextLoc>(composer_.get(), iid); }

  // The problems an empty element records of its own, its building block's
  // rather than the composer's.
  int32 OwnErrors(const std::u16string& element) {
    UID scratch = Story({{"-", AttributeBossList()}});
    if (Compose(u"<" + element + u"/>", scratch, 0) != kSuccess) return -1;
    return State()->GetErrorCount();
  }

  std::string Text(UID story) const { return StoryText(doc_, story); }
  const TextAttribute Attr(UID story, TextIndex at, ClassID cls) const {
    InterfacePtr<ITextAttributes> attributes(doc_, story, IID_ITEXTATTRIBUTES);
    const AttributeBossList list = attributes->GetResolvedAttributes(at);
    const TextAttribute* a = list.Find(cls);
    return a ? *a : TextAttribute();
  }
  double Size(UID story, TextIndex at) const { return Attr(story, at, kTextAttrPointSizeBoss).realValue; }
  int64 Value(UID story, TextIndex at, ClassID cls) const { return Attr(story, at, cls).intValue; }
  std::string FontStyle(UID story, TextIndex at) const {
    return Attr(story, at, kTextAttrFontStyleBoss).stringValue.GetUTF8String();
  }
  UID CharStyle(UID story, TextIndex at) const {
    InterfacePtr<ITextAttributes> attributes(doc_, story, IID_ITEXTATTRIBUTES);
    return attributes->GetCharStyle(at);
  }

  bool registered_ = (RegisterProbeElement(), true);
  TestApp app_;
  DataBase* doc_;
  DocumentBuilder build_;
  InterfacePtr<IXRefParsingUtils> utils_;
  InterfacePtr<IXRefComposer> composer_;
  UID serif_, red_, redLower_, german_, english_, klingon_;
  UID emphasis_, strong_, small_, heading_, body_, caption_;
};
