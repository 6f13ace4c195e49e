// Layout in a document description: what `xref build` makes of spreads,
// sections, frames, footnotes, variables and numbering, and what it refuses.
#include "host/IFootnote.h"
#include "host/INumbering.h"
#include "host/ILayout.h"
#include "host/IOwnedItemStrand.h"
#include "host/IStoryList.h"
#include "host/ITextVariable.h"
#include "host/ScriptObjectModel.h"
#include "host/UtilsBoss.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <fstream>

namespace {
int BuildFrom(const std::string& json, const std::string& out, std::string* output) {
  std::string desc = out + ".json";
  std::ofstream(desc) << json;
  ProgramRun run = RunXref("build '" + desc + "' -o '" + out + "'");
  *output = run.out;
  return run.exitCode;
}

std::string PageStringAt(IDataBase* db, UID story, TextIndex at) {
  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  InterfacePtr<IHierarchy> frame(db, frames->GetFrameContaining(at), IID_IHIERARCHY);
  InterfacePtr<ILayoutUtils> layout(UtilsBoss::QueryUtils<ILayoutUtils>());
  if (!frame) return "overset";
  UID page = layout->GetOwnerPageUID(frame.get());
  if (db->GetClass(page) == kSpreadBoss) return "pasteboard";
  InterfacePtr<IPageList> pages(db, kRootUID, IID_IPAGELIST);
  PMString s;
  pages->GetPageString(page, &s, true, false, kDefaultPageNumber, true);
  return s.GetUTF8String();
}
}  // namespace

TEST(LayoutDescription, BuildsPagesSectionsFramesAndDocumentFeatures) {
  TempDir dir;
  const std::string json = R"J({
    "paragraphStyles": [
      {"name": "H1", "numbering": "numbered", "list": "h", "level": 1, "format": "^1."},
      {"name": "H2", "numbering": "numbered", "list": "h", "level": 2, "format": "^1.^2."}],
    "spreads": [{"pages": 1}, {"pages": 2}],
    "sections": [{"startPage": 0, "style": "lowerRoman"}, {"startPage": 1, "prefix": "A-", "start": 5}],
    "chapterNumber": {"number": 7},
    "footnotes": {"style": "upperLetters", "referencePrefix": "(", "referenceSuffix": ")"},
    "textVariables": [{"name": "Product", "text": "XRef"}],
    "stories": [{
      "frames": [{"page": 0, "columns": 10, "lines": 1}, {"page": 2, "columns": 10, "lines": 1},
                 {"pasteboard": 1, "columns": 10, "lines": 1}],
      "paragraphs": [
        {"style": "H1", "runs": ["One", {"footnote": "Note text."}]},
        {"style": "H2", "runs": [{"variable": "Product"}, "Two"]},
        {"style": "H2", "runs": ["Three"]},
        "overset"]}]
  })J";
  std::string output;
  ASSERT_EQ(0, BuildFrom(json, dir.File("d.xrefdoc"), &output)) << output;
  TestApp app;
  std::string error;
  DataBase* db = app->OpenDocument(dir.File("d.xrefdoc"), &error);
  ASSERT_NE(nullptr, db) << error;
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  UID story = stories->GetNthStoryUID(0);
  EXPECT_EQ("i", PageStringAt(db, story, 0));
  EXPECT_EQ("A-6", PageStringAt(db, story, 6));  // the second frame is on the third page
  EXPECT_EQ("pasteboard", PageStringAt(db, story, 11));
  EXPECT_EQ("overset", PageStringAt(db, story, 18));

  InterfacePtr<IScriptObjectModel> script(db, story, IID_ISCRIPTOBJECTMODEL);
  ScriptData d;
  PMString number;
  script->GetElementProperty(kParagraphElement, kFormIndex, 11, kNumberingResultTextProperty, &d);
  d.GetString(&number);
  EXPECT_EQ("1.2.", number.GetUTF8String());

  InterfacePtr<IOwnedItemStrand> owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  InterfacePtr<IFootnote> note(db, owned->GetOwnedUID(3, kFootnoteBoss), IID_IFOOTNOTE);
  ASSERT_TRUE(note);
  EXPECT_EQ("(A)", note->GetNumberText(false).GetUTF8String());
  InterfacePtr<ITextVariableInstance> var(db, owned->GetOwnedUID(5, kTextVariableInstanceBoss),
                                          IID_ITEXTVARIABLEINSTANCE);
  ASSERT_TRUE(var);
  EXPECT_EQ("XRef", var->GetResultText().GetUTF8String());
  InterfacePtr<IChapterNumberService> chapters(UtilsBoss::QueryUtils<IChapterNumberService>());
  EXPECT_EQ("7", chapters->GetChapterNumberString(db).GetUTF8String());
}

TEST(LayoutDescription, MistakesAreNamedWhereTheyAre) {
  TempDir dir;
  struct Case {
    const char* json;
    const char* message;
  } cases[] = {
      {R"({"stories": [{"frames": [{"page": 3}]}]})", "stories[0].frames[0]: no such page or spread"},
      {R"({"spreads": [{"pages": 3}]})", "spreads[0].pages: expected a whole number from 1 to 2"},
      {R"({"spreads": [{}], "sections": [{"style": "greek"}]})", "sections[0].style: 'greek' is none of"},
      {R"({"stories": [{"paragraphs": [{"runs": [{"variable": "Nope"}]}]}]})",
       "stories[0].paragraphs[0].runs[0].variable: no text variable named 'Nope'"},
      {R"({"spreads": [{}], "stories": [{"frames": [{"page": 0, "pasteboard": 0}]}]})",
       "a frame is on a page or on a spread's pasteboard"},
  };
  for (auto& c : cases) {
    std::string output;
    EXPECT_EQ(2, BuildFrom(c.json, dir.File("bad.xrefdoc"), &output)) << c.json;
    EXPECT_NE(std::string::npos, output.find(c.message)) << output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.xrefdoc")));
  }
}

TEST(LayoutDescription, AFootnoteTakesRunsWithMarkersAndCrossReferences) {
  TempDir dir;
  const std::string json = R"J({
    "characterStyles": [{"name": "Em", "attributes": {"underline": true}}],
    "footnotes": {"separator": " "},
    "stories": [{"paragraphs": [
      {"runs": [{"sourceMarker": {"name": "Top"}}, "Top text",
                {"footnote": ["See ", {"crossReference": {"source": "Top", "markup": "<paratext/>"}},
                              {"text": " here", "style": "Em"}, {"sourceMarker": {"name": "InNote"}}, "."]}]},
      {"runs": [{"crossReference": {"source": "InNote", "markup": "[<paratext/>]"}}]}]}]
  })J";
  std::string output;
  ASSERT_EQ(0, BuildFrom(json, dir.File("d.xrefdoc"), &output)) << output;
  ProgramRun run = RunXref("describe '" + dir.File("d.xrefdoc") + "'");
  // The footnote's story (1) holds the composed cross-reference; the
  // marker in it is found from the main text.
  EXPECT_NE(std::string::npos, run.out.find("footnote 1 at 9: story 1, 1<0x4> See <0xFEFF>Top text<0xFEFF> here<0xFEFF>."))
      << run.out;
  EXPECT_NE(std::string::npos, run.out.find("source marker \"InNote\": story 1 at 21")) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("cross-reference 1: story 1 at 6, format \"(custom)\", source \"Top\"\n"
                                            "  text: \"Top text\"")) << run.out;
  // The paragraph's text, less the cross-reference's own.
  EXPECT_NE(std::string::npos, run.out.find("text: \"[See  here.]\"")) << run.out;

  const std::pair<const char*, const char*> refused[] = {
      {R"({"stories": [{"paragraphs": [{"runs": [{"footnote": [{"footnote": "x"}]}]}]}]})",
       "stories[0].paragraphs[0].runs[0].footnote[0].footnote: a footnote cannot hold a footnote"},
      {R"({"stories": [{"paragraphs": [{"runs": [{"footnote": 5}]}]}]})",
       "stories[0].paragraphs[0].runs[0].footnote: expected a string or a list of runs"},
      {R"({"stories": [{"paragraphs": [{"runs": [{"footnote": ["a\rb"]}]}]}]})",
       "stories[0].paragraphs[0].runs[0].footnote[0]: a paragraph return"}};
  for (const auto& r : refused) {
    EXPECT_EQ(2, BuildFrom(r.first, dir.File("bad.xrefdoc"), &output)) << r.first;
    EXPECT_NE(std::string::npos, output.find(r.second)) << output;
  }
}
