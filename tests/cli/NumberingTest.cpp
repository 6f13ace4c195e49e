// One numbering everywhere: a cross-reference is placed by its start marker
// in describe, list, check and scripts alike; a story's length is the same in
// describe and scripts; shell and edit name cross-references by describe's
// numbers.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <nlohmann/json.hpp>
#include <fstream>
#include <regex>

namespace {
void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Three fillers fill the first page's frame, so the heading with the
// source marker stands on page 2; the cross-references of story 1 name it.
const char* kDescription = R"({"spreads": [{"pages": 2}], "stories": [
  {"frames": [{"page": 0, "columns": 40, "lines": 3}, {"page": 1, "columns": 40, "lines": 10}],
   "paragraphs": ["Filler one", "Filler two", "Filler three", {"runs": [{"sourceMarker": {"name": "Intro"}}, "Introduction"]}]},
  {"frames": [{"page": 0, "columns": 40, "lines": 3}],
   "paragraphs": [{"runs": ["See ", {"crossReference": {"source": "Intro", "markup": "<paratext/>"}},
                            " and ", {"crossReference": {"source": "Intro", "markup": "page <pagenum/>"}}, "."]}]}]})";

class Numbering : public ::testing::Test {
protected:
  void SetUp() override {
    Write(dir_.File("doc.json"), kDescription);
    ASSERT_EQ(0, RunXref("build '" + dir_.File("doc.json") + "' -o '" + Doc() + "'").exitCode);
  }
  std::string Doc() const { return dir_.File("doc.xrefdoc"); }
  ProgramRun Script(const std::string& source) {
    Write(dir_.File("s.js"), source);
    return RunXref("script '" + Doc() + "' '" + dir_.File("s.js") + "' -o '" + dir_.File("out.xrefdoc") + "'", false);
  }
  TempDir dir_;
};
}  // namespace

TEST_F(Numbering, ACrossReferenceHasOnePlaceInDescribeListCheckAndScripts) {
  ProgramRun script = Script("var x = app.documents[0].crossReferences;\nprint(x[0].index, x[1].index);\n");
  ASSERT_EQ(0, script.exitCode) << script.out;
  EXPECT_EQ("4 23\n", script.out);  // after "See ", and after "Introduction" and " and "

  ProgramRun list = RunXref("list '" + Doc() + "' --json", false);
  ASSERT_EQ(0, list.exitCode) << list.out;
  const nlohmann::json entries = nlohmann::json::parse(list.out)["crossReferences"];
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(4, entries[0]["index"]);
  EXPECT_EQ(23, entries[1]["index"]);
  EXPECT_NE(std::string::npos, RunXref("list '" + Doc() + "'").out.find("story 1:23 [page 1]"));
  EXPECT_NE(std::string::npos, RunXref("describe '" + Doc() + "'").out.find("cross-reference 2: story 1 at 23,"));

  // Stale once its heading reads otherwise; check finds it at the same place.
  Write(dir_.File("stale.js"), "app.documents[0].stories[0].characters(36, 5).contents = 'Outro';\n");
  ASSERT_EQ(0, RunXref("script '" + Doc() + "' '" + dir_.File("stale.js") + "' --in-place").exitCode);
  ProgramRun check = RunXref("check '" + Doc() + "' --json", false);
  ASSERT_EQ(1, check.exitCode) << check.out;
  const nlohmann::json found = nlohmann::json::parse(check.out)["documents"][0]["findings"];
  ASSERT_EQ(1u, found.size()) << check.out;
  EXPECT_EQ(4, found[0]["index"]);
}

TEST_F(Numbering, AStoryHasOneLengthInDescribeAndScripts) {
  ProgramRun script = Script("var s = app.documents[0].stories[0];\nprint(s.length, s.contents.length);\n");
  ASSERT_EQ(0, script.exitCode) << script.out;
  std::smatch m;
  const std::string described = RunXref("describe '" + Doc() + "'").out;
  ASSERT_TRUE(std::regex_search(described, m, std::regex("\nstory 0: ([0-9]+) characters"))) << described;
  EXPECT_EQ(m[1].str() + " " + m[1].str() + "\n", script.out);
  // Its closing return stands at INDEX = length.
  EXPECT_EQ(0, RunXref("preview --doc '" + Doc() + "' --source Intro --at 0:" + m[1].str() + " '<pagenum/>'").exitCode);
  EXPECT_EQ(2, RunXref("preview --doc '" + Doc() + "' --source Intro --at 0:" + std::to_string(std::stoi(m[1]) + 1) +
                       " '<pagenum/>'").exitCode);
}

TEST_F(Numbering, ShellAndEditNameCrossReferencesAsDescribeNumbersThem) {
  Write(dir_.File("shell.txt"), "caret 1:24\nquit\n");
  ProgramRun shell = RunXref("shell '" + Doc() + "' --script '" + dir_.File("shell.txt") + "'");
  EXPECT_NE(std::string::npos, shell.out.find("  holds cross-reference 2 to \"Intro\": \"page 2\"\n")) << shell.out;

  // Without the first filler the heading moves to page 1.
  ProgramRun edit = RunXref("edit '" + Doc() + "' --delete 0:0:11");
  ASSERT_EQ(0, edit.exitCode) << edit.out;
  EXPECT_NE(std::string::npos, edit.out.find(": doc.xrefdoc: cross-reference 2 \"page 2\" -> \"page 1\"\n")) << edit.out;
}
