// xref build: a JSON description becomes a document; a bad description is
// refused with a message that says where it is wrong.
#include "headless/text/DocumentBuilder.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryList.h"
#include "host/IStoryLock.h"
#include "host/IStyleGroupManager.h"
#include "host/ITextAttributes.h"
#include "host/TextAttr.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <fstream>

namespace {
struct Result {
  int exitCode = -1;
  std::string output;  // standard output and standard error
};

Result Build(const std::string& descriptionPath, const std::string& outPath) {
  ProgramRun run = RunXref("build '" + descriptionPath + "' -o '" + outPath + "'");
  return {run.exitCode, run.out};
}

Result BuildText(const TempDir& dir, const std::string& json) {
  std::ofstream(dir.File("d.json")) << json;
  return Build(dir.File("d.json"), dir.File("d.xrefdoc"));
}
}  // namespace

TEST(BuildCommand, TheSampleBecomesADocumentWithItsStylesAndText) {
  TempDir dir;
  Result r = Build(std::string(XREF_SOURCE_DIR) + "/samples/manual.json", dir.File("manual.xrefdoc"));
  ASSERT_EQ(0, r.exitCode) << r.output;
  EXPECT_NE(std::string::npos, r.output.find("2 stories, 5 paragraphs"));
  EXPECT_EQ(std::string::npos, r.output.find("sourceMarker placeholder"));

  TestApp app;
  std::string error;
  DataBase* doc = app->OpenDocument(dir.File("manual.xrefdoc"), &error);
  ASSERT_TRUE(doc) << error;
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  ASSERT_EQ(2, stories->GetStoryCount());
  UID story = stories->GetNthStoryUID(0);
  const std::string text = StoryText(doc, story);
  // The source marker's anchor character ends the heading; the
  // cross-reference's text stands between its two markers.
  EXPECT_EQ(0u, text.find("Getting started\xEF\xBB\xBF\rInstall the tool, then run xref build. The result is always a "
                          "document (see \xEF\xBB\xBF\xE2\x80\x9CGetting started\xE2\x80\x9D on page ?\xEF\xBB\xBF)."
                          "\rAuf Deutsch: Vorsicht!\rA paragraph given"));

  DocumentBuilder lookup(doc);
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  EXPECT_EQ(lookup.FindParagraphStyle("Headings:Chapter"), attrs->GetParagraphStyle(0));
  EXPECT_EQ(kNumberedList, attrs->GetNumberingKind(0));
  TextIndex code = static_cast<TextIndex>(text.find("xref build"));
  EXPECT_EQ(lookup.FindCharacterStyle("Code:Inline"), attrs->GetCharStyle(code));
  AttributeBossList resolved = attrs->GetResolvedAttributes(code);
  EXPECT_EQ(lookup.FindFont("Source Sans"), TextAttr::AsUID(*resolved.Find(kTextAttrFontBoss)));
  EXPECT_EQ(lookup.FindSwatch("Accent"), TextAttr::AsUID(*resolved.Find(kTextAttrFillColorBoss)));
  EXPECT_EQ(10.0, resolved.Find(kTextAttrPointSizeBoss)->realValue);
  TextIndex always = static_cast<TextIndex>(text.find("always"));
  EXPECT_EQ(1, attrs->GetResolvedAttributes(always).Find(kTextAttrUnderlineBoss)->intValue);
  // The first language is the document's default; the run names its own.
  EXPECT_EQ(lookup.FindLanguage("English: USA"), attrs->GetLanguage(0));
  EXPECT_EQ(lookup.FindLanguage("German"), attrs->GetLanguage(static_cast<TextIndex>(text.find("Auf"))));
  // The first font is the base; a paragraph style's own font wins over it.
  EXPECT_EQ(lookup.FindFont("Source Sans"), TextAttr::AsUID(*attrs->GetResolvedAttributes(0).Find(kTextAttrFontBoss)));
  EXPECT_EQ(lookup.FindFont("Source Serif"),
            TextAttr::AsUID(*attrs->GetResolvedAttributes(always).Find(kTextAttrFontBoss)));
  InterfacePtr<IStoryLock> lock(doc, stories->GetNthStoryUID(1), IID_ISTORYLOCK);
  EXPECT_TRUE(lock->IsLocked());
}

TEST(BuildCommand, BadDescriptionsAreRefusedWithWhereAndWhy) {
  TempDir dir;
  struct Case {
    const char* json;
    const char* message;
  } cases[] = {
      {"{\"stories\": [", "parse error"},
      {"[1, 2]", "description: expected an object"},
      {"{\"stories\": [{\"paragraphs\": [{\"style\": \"Nope\"}]}]}",
       "stories[0].paragraphs[0].style: no paragraph style named 'Nope'"},
      {"{\"stories\": [{\"paragraphs\": [{\"runs\": [{\"text\": \"a\", \"style\": \"X\"}]}]}]}",
       "stories[0].paragraphs[0].runs[0].style: no character style named 'X'"},
      {"{\"stories\": [{\"paragraphs\": [\"one\\rtwo\"]}]}", "stories[0].paragraphs[0]: a paragraph return"},
      {"{\"stroies\": []}", "stroies: unknown field"},
      {"{\"fonts\": [{\"family\": \"A\"}, {\"family\": \"a\"}]}", "fonts[1]: font family 'a' is listed twice"},
      {"{\"swatches\": [{\"name\": \"R\", \"rgb\": \"red\"}]}", "swatches[0].rgb: expected a colour"},
      {"{\"characterStyles\": [{\"name\": \"S\", \"attributes\": {\"position\": \"up\"}}]}",
       "characterStyles[0].attributes.position: 'up' is none of normal, superscript, subscript"},
      {"{\"characterStyles\": [{\"name\": \"S\", \"attributes\": {\"color\": \"Red\"}}]}",
       "characterStyles[0].attributes.color: no swatch named 'Red'"},
      {"{\"stories\": [{\"paragraphs\": [{\"runs\": [{\"sourceMarker\": {}, \"text\": \"x\"}]}]}]}",
       "a sourceMarker stands alone in its run"},
      {"{\"version\": 2}", "version: only version 1 is known"},
  };
  for (const Case& c : cases) {
    Result r = BuildText(dir, c.json);
    EXPECT_EQ(2, r.exitCode) << c.json;
    EXPECT_NE(std::string::npos, r.output.find(c.message)) << c.json << "\n" << r.output;
    EXPECT_FALSE(std::ifstream(dir.File("d.xrefdoc")).good()) << "nothing is written for " << c.json;
  }
  Result missing = Build(dir.File("missing.json"), dir.File("d.xrefdoc"));
  EXPECT_EQ(2, missing.exitCode);
  EXPECT_NE(std::string::npos, missing.output.find("cannot open"));
}
