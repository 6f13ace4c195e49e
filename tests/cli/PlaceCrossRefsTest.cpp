// xref build inserts the cross-references a description asks for, local and
// in other documents, and xref describe shows their texts and states.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <fstream>

namespace {
const char* kSource =
    R"({"spreads": [{"pages": 1}], "stories": [{"frames": [{"page": 0, "columns": 40, "lines": 10}],
        "paragraphs": [{"runs": [{"sourceMarker": {"name": "Far"}}, "Far away"]}]}]})";

std::string Main(const std::string& extra) {
  return R"({"spreads": [{"pages": 1}],)" + extra +
         R"( "stories": [{"frames": [{"page": 0, "columns": 40, "lines": 10}], "paragraphs": [
         {"runs": [{"sourceMarker": {"name": "Intro"}}, "Introduction"]},
         {"runs": ["See ", {"crossReference": {"source": "Intro", "format": "Page"}}, " and ",
                   {"crossReference": {"source": "Far", "markup": "<paratext/>", "document": "sub/src.xrefdoc"}},
                   " and ", {"crossReference": {"source": "Gone", "format": "Page"}}]}]}]})";
}

ProgramRun Build(const TempDir& dir, const std::string& json) {
  std::ofstream(dir.File("main.json")) << json;
  return RunXref("build '" + dir.File("main.json") + "' -o '" + dir.File("main.xrefdoc") + "'");
}
}  // namespace

TEST(PlaceCrossRefs, BuildInsertsLocalAndExternalOnesAndDescribeShowsTheirStates) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("sub"));
  std::ofstream(dir.File("sub/src.json")) << kSource;
  ASSERT_EQ(0, RunXref("build '" + dir.File("sub/src.json") + "' -o '" + dir.File("sub/src.xrefdoc") + "'").exitCode);
  ProgramRun run = Build(dir, Main(""));
  ASSERT_EQ(0, run.exitCode) << run.out;

  run = RunXref("describe '" + dir.File("main.xrefdoc") + "'");
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("format \"Page\", source \"Intro\"\n  text: \"page 1\"\n"
                                            "  source state 0: The source marker was found."))
      << run.out;
  EXPECT_NE(std::string::npos, run.out.find("source \"Far\" in " + dir.File("sub/src.xrefdoc") +
                                            "\n  text: \"Far away\"\n  source state 0"))
      << run.out;
  EXPECT_NE(std::string::npos,
            run.out.find("  text: \"\"\n  source state 1: The source marker \"Gone\" does not exist in this document."))
      << run.out;
}

TEST(PlaceCrossRefs, ADescriptionsOwnFormatsReplaceTheDefaultsAndBadFieldsStopTheBuild) {
  TempDir dir;
  ProgramRun run = Build(dir, Main(R"( "formats": [{"name": "Page", "markup": "p. <pagenum/>"}],)"));
  // "Far" cannot be found, yet the build goes on; only the formats matter here.
  ASSERT_EQ(0, run.exitCode) << run.out;
  run = RunXref("describe '" + dir.File("main.xrefdoc") + "'");
  EXPECT_NE(std::string::npos, run.out.find("text: \"p. 1\"")) << run.out;

  run = Build(dir, Main(R"( "formats": [{"name": "Other", "markup": "x"}],)"));
  EXPECT_EQ(2, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find(".format: the document has no format named 'Page'")) << run.out;
  std::ofstream(dir.File("bad.json")) << R"({"stories": [{"paragraphs": [{"runs": [
      {"crossReference": {"source": "A", "format": "Page", "markup": "x"}}]}]}]})";
  run = RunXref("build '" + dir.File("bad.json") + "' -o '" + dir.File("bad.xrefdoc") + "'");
  EXPECT_EQ(2, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("give either \"format\" or \"markup\"")) << run.out;
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad.xrefdoc")));
}

// Mark-up that does not parse is refused where it stands, as formats --add
// refuses it, and nothing is written.
TEST(PlaceCrossRefs, InvalidMarkupStopsTheBuildNamingThePlaceAndTheReason) {
  TempDir dir;
  ProgramRun run = Build(dir, Main(R"( "formats": [{"name": "Page", "markup": "p. <pagenum/>"},
                                                     {"name": "Fig", "markup": "<fignum/>"}],)"));
  EXPECT_EQ(2, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("main.json: formats[1].markup: the mark-up of \"Fig\" is not valid: "))
      << run.out;
  EXPECT_NE(std::string::npos, run.out.find("did you mean 'fnnum'?")) << run.out;
  EXPECT_FALSE(std::filesystem::exists(dir.File("main.xrefdoc")));

  std::ofstream(dir.File("bad.json")) << R"({"stories": [{"paragraphs": [{"runs": [{"sourceMarker": {"name": "A"}},
      "x", {"crossReference": {"source": "A", "markup": "page^Q<pagenum/>"}}]}]}]})";
  run = RunXref("build '" + dir.File("bad.json") + "' -o '" + dir.File("bad.xrefdoc") + "'");
  EXPECT_EQ(2, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("bad.json: stories[0].paragraphs[0].runs[2].crossReference.markup: "
                                            "the mark-up is not valid: unknown escape \"^Q\" at position 5"))
      << run.out;
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad.xrefdoc")));
}

// A missing source marker leaves a broken cross-reference, which the build
// names on standard error (and only there), and still writes the document.
TEST(PlaceCrossRefs, EachCrossReferenceToAMissingMarkerIsNamedAndTheBuildSucceeds) {
  TempDir dir;
  std::ofstream(dir.File("main.json")) << Main("");  // "Far" lies in a document that does not exist
  ProgramRun run = RunXref("build '" + dir.File("main.json") + "' -o '" + dir.File("main.xrefdoc") + "'", false);
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_EQ(std::string::npos, run.out.find("warning")) << run.out;
  run = RunXref("build '" + dir.File("main.json") + "' -o '" + dir.File("main.xrefdoc") + "'");
  EXPECT_NE(std::string::npos, run.out.find("xref: warning: " + dir.File("main.json") +
                                            ": stories[0].paragraphs[1].runs[3].crossReference: The source document"))
      << run.out;
  EXPECT_NE(std::string::npos, run.out.find("runs[5].crossReference: The source marker \"Gone\" does not exist in "
                                            "this document."))
      << run.out;
  EXPECT_EQ(std::string::npos, run.out.find("runs[1]")) << run.out;  // the one whose marker exists
  EXPECT_TRUE(std::filesystem::exists(dir.File("main.xrefdoc")));
}
