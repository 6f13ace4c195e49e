// Character and paragraph attributes: styles in groups, resolution, what is
// in force at an insertion point, the workspace's lists, and attributes
// carried into another document.
#include "headless/text/DocumentBuilder.h"
#include "headless/text/TextClipboard.h"
#include "headless/text/Workspace.h"
#include "host/CreateObject.h"
#include "host/ICharAttrStrand.h"
#include "host/IFontList.h"
#include "host/ILanguageList.h"
#include "host/IStyleGroupManager.h"
#include "host/ISwatchList.h"
#include "host/ITextAttrUID.h"
#include "host/ITextAttributes.h"
#include "host/TextAttr.h"
#include "host/UnicodeClass.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestOwnedItems.h"
#include "tests/support/TextTestSupport.h"

namespace {
AttributeBossList List(std::initializer_list<TextAttribute> attrs) {
  AttributeBossList list;
  for (auto& a : attrs) list.ApplyAttribute(a);
  return list;
}

TextAttribute Get(const AttributeBossList& list, ClassID cls) {
  const TextAttribute* a = list.Find(cls);
  return a ? *a : TextAttribute();
}

template <class I>
InterfacePtr<I> Workspace_(IDataBase* db, PMIID iid) {
  return InterfacePtr<I>(static_cast<I*>(QueryWorkspaceInterface(db, iid)));
}
}  // namespace

TEST(TextAttributes, ResolutionRunsDefaultsParagraphStyleCharacterStyleOwn) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  DocumentBuilder b(doc);
  UID serif = b.AddFont("Serif", {"Regular", "Bold", "Italic"});
  UID body = b.AddParagraphStyle("Body", List({TextAttr::Font(serif), TextAttr::PointSize(10)}));
  UID emphasis = b.AddCharacterStyle("Inline:Emphasis",
                                     List({TextAttr::FontStyle(PMString("Italic")), TextAttr::PointSize(11)}));
  UID story = b.NewStory();
  b.AddParagraph(story, body);
  b.AddRun(story, WideString("plain "));
  b.AddRun(story, WideString("styled"), emphasis, List({TextAttr::PointSize(14), TextAttr::Underline(true)}));
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);

  AttributeBossList plain = attrs->GetResolvedAttributes(0);
  EXPECT_EQ(10, plain.CountBosses());  // the nine and the language
  EXPECT_EQ(serif, TextAttr::AsUID(Get(plain, kTextAttrFontBoss)));
  EXPECT_EQ(10.0, Get(plain, kTextAttrPointSizeBoss).realValue);
  EXPECT_EQ("Regular", Get(plain, kTextAttrFontStyleBoss).stringValue.GetUTF8String());
  AttributeBossList styled = attrs->GetResolvedAttributes(7);
  EXPECT_EQ("Italic", Get(styled, kTextAttrFontStyleBoss).stringValue.GetUTF8String());
  EXPECT_EQ(14.0, Get(styled, kTextAttrPointSizeBoss).realValue);
  EXPECT_EQ(1, Get(styled, kTextAttrUnderlineBoss).intValue);
  EXPECT_EQ(serif, TextAttr::AsUID(Get(styled, kTextAttrFontBoss)));
  EXPECT_EQ(emphasis, attrs->GetCharStyle(7));

  // A character style takes back the attributes it sets and leaves the rest.
  UID big = b.AddCharacterStyle("Big", List({TextAttr::PointSize(20)}));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->ApplyCharStyleCmd(6, 6, big)));
  AttributeBossList restyled = attrs->GetResolvedAttributes(7);
  EXPECT_EQ(20.0, Get(restyled, kTextAttrPointSizeBoss).realValue);
  EXPECT_EQ(1, Get(restyled, kTextAttrUnderlineBoss).intValue);
  EXPECT_EQ("Regular", Get(restyled, kTextAttrFontStyleBoss).stringValue.GetUTF8String());
  auto chars = StrandOf<ICharAttrStrand>(doc, story, kCharAttrStrandBoss);
  TextIndex start = 0;
  int32 length = 0;
  ASSERT_TRUE(chars->GetRun(8, &start, &length));
  EXPECT_EQ(6, start);
  EXPECT_EQ(6, length);
  EXPECT_FALSE(chars->GetOverride(8, kTextAttrPointSizeBoss, nullptr));
}

TEST(TextAttributes, InsertionPointCarriesWhatWasAppliedToIt) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  DocumentBuilder b(doc);
  UID story = b.NewStory();
  b.AddParagraph(story);
  b.AddRun(story, WideString("ab"), kInvalidUID, List({TextAttr::Underline(true)}));
  b.AddParagraph(story);
  b.AddRun(story, WideString("cd"), kInvalidUID, List({TextAttr::Position(TextAttr::kPositionSubscript)}));
  // "ab\rcd\r": in force at 1 is the preceding character's; at the start of
  // the second paragraph, the character's own.
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  TextAttribute a;
  ASSERT_TRUE(attrs->GetAttributeInForce(2, kTextAttrUnderlineBoss, &a));
  EXPECT_EQ(1, a.intValue);
  ASSERT_TRUE(attrs->GetAttributeInForce(3, kTextAttrPositionBoss, &a));
  EXPECT_EQ(TextAttr::kPositionSubscript, a.intValue);
  ASSERT_TRUE(attrs->GetAttributeInForce(3, kTextAttrUnderlineBoss, &a));
  EXPECT_EQ(0, a.intValue);
  EXPECT_FALSE(attrs->GetAttributeInForce(3, ClassID{0xF2C01}, &a));  // no such attribute there

  // Applying to the empty range sets what the next insertion there carries,
  // and goes on doing so after text inserted at it.
  auto cmds = CmdsOf(doc, story);
  ASSERT_EQ(kSuccess, Process(cmds->ApplyCmd(1, 0, List({TextAttr::PointSize(7)}))));
  ASSERT_TRUE(attrs->GetAttributeInForce(1, kTextAttrPointSizeBoss, &a));
  EXPECT_EQ(7.0, a.realValue);
  EXPECT_EQ(12.0, Get(attrs->GetResolvedAttributes(0), kTextAttrPointSizeBoss).realValue);
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(1, WideString("X"))));
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(2, WideString("Y"))));
  EXPECT_EQ(7.0, Get(attrs->GetResolvedAttributes(1), kTextAttrPointSizeBoss).realValue);
  EXPECT_EQ(7.0, Get(attrs->GetResolvedAttributes(2), kTextAttrPointSizeBoss).realValue);
  EXPECT_EQ(1, Get(attrs->GetResolvedAttributes(2), kTextAttrUnderlineBoss).intValue);
  // Any other change drops the insertion point's attributes.
  ASSERT_EQ(kSuccess, Process(cmds->ApplyCmd(4, 0, List({TextAttr::PointSize(30)}))));
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(0, 1)));
  ASSERT_TRUE(attrs->GetAttributeInForce(3, kTextAttrPointSizeBoss, &a));
  EXPECT_EQ(12.0, a.realValue);
}

TEST(TextAttributes, WorkspaceListsFindByNameAsTheirCallersNeed) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  DocumentBuilder b(doc);
  UID minion = b.AddFont("Minion Pro", {"Regular", "Bold"});
  EXPECT_EQ(kInvalidUID, b.AddFont("minion pro", {}));  // family names ignore case
  UID red = b.AddSwatch("Red", 0xFF0000);
  UID red2 = b.AddSwatch("Red", 0xEE0000);
  UID german = b.AddLanguage("kLanguageGerman");
  UID klingon = b.AddLanguage("Klingon");
  UID chapter = b.AddParagraphStyle("Headings:Numbered:Chapter", AttributeBossList(), kNumberedList);
  UID plainChapter = b.AddParagraphStyle("Chapter", AttributeBossList());
  EXPECT_EQ(kInvalidUID, b.AddParagraphStyle("Chapter", AttributeBossList()));

  auto fonts = Workspace_<IFontList>(doc, IID_IFONTLIST);
  EXPECT_EQ(minion, fonts->FindFamily(PMString("MINION PRO")));
  InterfacePtr<IFontFamily> family(doc, minion, IID_IFONTFAMILY);
  EXPECT_TRUE(family->HasStyle(PMString("Bold")));
  EXPECT_FALSE(family->HasStyle(PMString("bold")));
  auto swatches = Workspace_<ISwatchList>(doc, IID_ISWATCHLIST);
  EXPECT_EQ(red, swatches->FindSwatch(PMString("Red")));
  EXPECT_EQ(kInvalidUID, swatches->FindSwatch(PMString("red")));
  EXPECT_EQ(red2, swatches->GetNthSwatchUID(1));
  auto languages = Workspace_<ILanguageList>(doc, IID_ILANGUAGELIST);
  EXPECT_EQ(german, languages->FindLanguage(PMString("german")));
  EXPECT_EQ(klingon, languages->FindLanguage(PMString("KLINGON")));
  InterfacePtr<ILanguage> language(doc, german, IID_ILANGUAGE);
  PMString name = language->GetName();
  EXPECT_TRUE(name.GetTranslatable());  // a key, translated by whoever shows it
  name.Translate();
  EXPECT_EQ("German", name.GetUTF8String());

  auto paraStyles = Workspace_<IStyleGroupManager>(doc, IID_IPARASTYLEGROUPMANAGER);
  PMString path("Headings");
  path.AppendW(kStyleGroupSeparator);
  path.Append("Numbered");
  path.AppendW(kStyleGroupSeparator);
  path.Append("Chapter");
  EXPECT_EQ(chapter, paraStyles->FindByName(path));
  EXPECT_EQ(plainChapter, paraStyles->FindByName(PMString("Chapter")));
  EXPECT_EQ(kInvalidUID, paraStyles->FindByName(PMString("Headings:Numbered:Chapter")));  // ':' is the caller's to map
  InterfacePtr<IStyleInfo> info(doc, chapter, IID_ISTYLEINFO);
  EXPECT_EQ("Chapter", info->GetName().GetUTF8String());
  EXPECT_EQ(path, info->GetFullPath());
  EXPECT_EQ(kNumberedList, info->GetNumberingKind());

  UID story = MakeStory(doc, "one\rtwo");
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->ApplyParaStyleCmd(5, 0, chapter)));
  EXPECT_EQ(kNoNumbering, attrs->GetNumberingKind(0));
  EXPECT_EQ(kNumberedList, attrs->GetNumberingKind(5));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->SetNumberingCmd(4, 1, kBulletNumbering)));
  EXPECT_EQ(kBulletNumbering, attrs->GetNumberingKind(6));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->SetNumberingCmd(4, 1, -1)));
  EXPECT_EQ(kNumberedList, attrs->GetNumberingKind(6));
}

TEST(TextAttributes, AttributeObjectsHoldingAUIDAreKeptPerCharacter) {
  TestApp app;
  RegisterTestOwnedItems();
  DataBase* doc = app->NewDocument();
  UID story = MakeStory(doc, "tagged text");
  InterfacePtr<ITextAttrUID> tag(CreateObject<ITextAttrUID>(kTestUIDAttrBoss));
  ASSERT_TRUE(tag);
  tag->Set(UID{42});
  TextAttribute crossRef = TextAttr::Make(ClassID{0xF2C01}, 77);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->ApplyCmd(0, 6, List({tag->ToAttribute(), crossRef}))));
  auto chars = StrandOf<ICharAttrStrand>(doc, story, kCharAttrStrandBoss);
  TextAttribute a;
  ASSERT_TRUE(chars->GetOverride(3, kTestUIDAttrBoss, &a));
  EXPECT_EQ(UID{42}, TextAttr::AsUID(a));
  ASSERT_TRUE(chars->GetOverride(5, ClassID{0xF2C01}, &a));
  EXPECT_EQ(77, a.intValue);
  EXPECT_FALSE(chars->GetOverride(6, ClassID{0xF2C01}, &a));
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  // The plug-in's cross-reference attribute reports itself as not listed.
  EXPECT_EQ(11, attrs->GetResolvedAttributes(0).CountBosses());
}

TEST(TextAttributes, PasteIntoAnotherDocumentFindsOrMakesWhatTheTextNames) {
  TestApp app;
  RegisterTestOwnedItems();
  DataBase* source = app->NewDocument();
  DocumentBuilder from(source);
  UID font = from.AddFont("Serif", {"Regular"});
  UID swatch = from.AddSwatch("Blue", 0x0000FF);
  UID german = from.AddLanguage("kLanguageGerman");
  UID emphasis = from.AddCharacterStyle("Inline:Emphasis", List({TextAttr::Font(font)}));
  UID heading = from.AddParagraphStyle("Heading", List({TextAttr::PointSize(18)}), kNumberedList);
  UID story = from.NewStory();
  from.AddParagraph(story, heading);
  from.AddRun(story, WideString("Title"), emphasis,
              List({TextAttr::FillColor(swatch), TextAttr::Language(german), TextAttr::Make(kTestUIDAttrBoss, 5)}));
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(source, story), 0, 6));

  DataBase* target = app->NewDocument();
  DocumentBuilder to(target);
  UID targetGerman = to.AddLanguage("German");  // the same language by its translated name
  UID pasted = MakeStory(target, "x");
  ASSERT_EQ(kSuccess, Process(CmdsOf(target, pasted)->PasteCmd(0)));
  EXPECT_EQ("Title\rx\r", StoryText(target, pasted));
  InterfacePtr<ITextAttributes> attrs(target, pasted, IID_ITEXTATTRIBUTES);
  EXPECT_EQ(to.FindCharacterStyle("Inline:Emphasis"), attrs->GetCharStyle(2));
  EXPECT_NE(kInvalidUID, attrs->GetCharStyle(2));
  EXPECT_EQ(to.FindParagraphStyle("Heading"), attrs->GetParagraphStyle(0));
  EXPECT_EQ(kNumberedList, attrs->GetNumberingKind(0));
  EXPECT_EQ(to.FindParagraphStyle(""), attrs->GetParagraphStyle(6));  // the paragraph it went into
  AttributeBossList resolved = attrs->GetResolvedAttributes(1);
  EXPECT_EQ(to.FindFont("Serif"), TextAttr::AsUID(Get(resolved, kTextAttrFontBoss)));
  EXPECT_EQ(to.FindSwatch("Blue"), TextAttr::AsUID(Get(resolved, kTextAttrFillColorBoss)));
  EXPECT_EQ(targetGerman, attrs->GetLanguage(1));
  EXPECT_EQ(18.0, Get(resolved, kTextAttrPointSizeBoss).realValue);
  EXPECT_FALSE(resolved.Find(kTestUIDAttrBoss));  // a UID of the other document means nothing here
  TextClipboard::Clear();
}

TEST(UnicodeClasses, AnswerFromUnicodeData) {
  EXPECT_TRUE(UnicodeClass::IsWhiteSpace(' '));
  EXPECT_TRUE(UnicodeClass::IsWhiteSpace(0x00A0));
  EXPECT_TRUE(UnicodeClass::IsWhiteSpace(0x3000));
  EXPECT_FALSE(UnicodeClass::IsWhiteSpace(0xFEFF));
  EXPECT_TRUE(UnicodeClass::IsLetter(0x00E9));
  EXPECT_TRUE(UnicodeClass::IsLetter(0x65E5));  // 日
  EXPECT_FALSE(UnicodeClass::IsLetter('7'));
  EXPECT_TRUE(UnicodeClass::IsRomanDigit('0'));
  EXPECT_FALSE(UnicodeClass::IsRomanDigit(0x0663));  // Arabic-Indic three
  EXPECT_TRUE(UnicodeClass::IsJapaneseNumeral(0x4E09));  // 三
  EXPECT_TRUE(UnicodeClass::IsJapaneseNumeral(0x3007));  // 〇
  EXPECT_TRUE(UnicodeClass::IsJapaneseNumeral(0xFF15));  // full-width 5
  EXPECT_FALSE(UnicodeClass::IsJapaneseNumeral(0x65E5));
  EXPECT_FALSE(UnicodeClass::IsJapaneseNumeral('5'));
  EXPECT_TRUE(UnicodeClass::IsPunctuation('.'));
  EXPECT_TRUE(UnicodeClass::IsPunctuation(0x3002));  // 。
  EXPECT_FALSE(UnicodeClass::IsPunctuation('+'));    // a symbol
  EXPECT_FALSE(UnicodeClass::IsPunctuation(0xFEFF));
}
