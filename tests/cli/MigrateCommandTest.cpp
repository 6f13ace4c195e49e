// xref migrate on the sample of native cross-references: the description
// builds, describe and list show the native ones, migrating to XRef's and
// back keeps their texts, check finds a native one whose anchor is gone, and
// bad input writes nothing.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <fstream>
#include <sstream>

namespace {
const std::string kSample = std::string(XREF_SOURCE_DIR) + "/samples/migration/basic.json";

std::vector<std::string> LinesWith(const std::string& text, const std::string& part) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.find(part) != std::string::npos) lines.push_back(line);
  return lines;
}

class MigrateCommand : public ::testing::Test {
protected:
  void SetUp() override {
    ProgramRun run = RunXref("build '" + kSample + "' -o '" + doc_ + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
  }
  TempDir dir_;
  const std::string doc_ = dir_.File("basic.xrefdoc");
};
}  // namespace

TEST_F(MigrateCommand, DescribeAndListShowTheNativeCrossReferences) {
  ProgramRun run = RunXref("describe '" + doc_ + "'", false);
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("Basic format \"See Heading\": customText \"see \"; fullParagraph;")) << run.out;
  const auto natives = LinesWith(run.out, "native cross-reference ");
  ASSERT_EQ(3u, natives.size()) << run.out;
  EXPECT_NE(std::string::npos, natives[0].find("\"\xE2\x80\x9CUsing it\xE2\x80\x9D on page 2\"")) << natives[0];
  EXPECT_NE(std::string::npos, natives[1].find("text \"see Introduction\"")) << natives[1];
  EXPECT_NE(std::string::npos, natives[2].find("text \"stale\", out of date")) << natives[2];
  run = RunXref("list '" + doc_ + "'", false);
  EXPECT_EQ(3u, LinesWith(run.out, "native: ").size()) << run.out;
}

TEST_F(MigrateCommand, ToProAndBackKeepsTheComposedTexts) {
  const std::string pro = dir_.File("pro.xrefdoc"), back = dir_.File("back.xrefdoc");
  ProgramRun run = RunXref("migrate '" + doc_ + "' --to pro -o '" + pro + "'", false);
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("3 of 3 native cross-references became cross-references, 2 source markers"))
      << run.out;
  run = RunXref("list '" + pro + "'", false);
  EXPECT_TRUE(LinesWith(run.out, "native: ").empty()) << run.out;
  run = RunXref("describe '" + pro + "'", false);
  size_t crossRefs = 0;
  for (const std::string& line : LinesWith(run.out, "cross-reference ")) crossRefs += line.rfind("cross-reference ", 0) == 0;
  EXPECT_EQ(3u, crossRefs) << run.out;

  run = RunXref("migrate '" + pro + "' --to basic -o '" + back + "'", true);
  EXPECT_EQ(1, run.exitCode) << run.out;  // the full paragraph's number-only part has no Basic form
  EXPECT_NE(std::string::npos, run.out.find("xref: information: [")) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("3 of 3 cross-references became native ones")) << run.out;
  run = RunXref("describe '" + back + "'", false);
  const auto natives = LinesWith(run.out, "native cross-reference ");
  ASSERT_EQ(3u, natives.size()) << run.out;
  EXPECT_NE(std::string::npos, natives[0].find("\"\xE2\x80\x9CUsing it\xE2\x80\x9D on page 2\"")) << natives[0];
  EXPECT_NE(std::string::npos, natives[1].find("text \"see Introduction\"")) << natives[1];
  // The anchor's name has no Basic form once it is mark-up: logged, and left out.
  EXPECT_NE(std::string::npos, natives[2].find("text \"[]\"")) << natives[2];
  for (const std::string& line : natives) EXPECT_EQ(std::string::npos, line.find("out of date")) << line;
}

TEST_F(MigrateCommand, TheLogGoesToStandardErrorOnly) {
  const std::string pro = dir_.File("pro.xrefdoc");
  ASSERT_EQ(0, RunXref("migrate '" + doc_ + "' --to pro -o '" + pro + "'").exitCode);
  ProgramRun quiet = RunXref("migrate '" + pro + "' --to basic -o '" + dir_.File("b.xrefdoc") + "'", false);
  EXPECT_EQ(std::string::npos, quiet.out.find("[")) << quiet.out;
  ProgramRun loud = RunXref("migrate '" + pro + "' --to basic -o '" + dir_.File("c.xrefdoc") + "'", true);
  EXPECT_NE(std::string::npos, loud.out.find("xref: information: [")) << loud.out;
}

TEST_F(MigrateCommand, CheckFindsANativeCrossReferenceWhoseAnchorIsGone) {
  ASSERT_EQ(0, RunXref("check '" + doc_ + "'", false).exitCode);
  // "Introduction" with its anchor: the two references to it break.
  ProgramRun run = RunXref("edit '" + doc_ + "' --delete 0:0:12 --in-place");
  ASSERT_EQ(0, run.exitCode) << run.out;
  run = RunXref("check '" + doc_ + "'", false);
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_EQ(2u, LinesWith(run.out, "broken native").size()) << run.out;
}

TEST_F(MigrateCommand, BadUsageWritesNothing) {
  const std::string before = FileBytes(doc_);
  EXPECT_EQ(2, RunXref("migrate '" + doc_ + "' --to nowhere --in-place").exitCode);
  EXPECT_EQ(2, RunXref("migrate '" + doc_ + "' --to pro").exitCode);  // neither -o nor --in-place
  EXPECT_EQ(2, RunXref("migrate '" + dir_.File("missing.xrefdoc") + "' --to pro --in-place").exitCode);
  EXPECT_EQ(before, FileBytes(doc_));
}

TEST(NativeDescriptions, MistakesStopTheBuildNamingThePlace) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {R"({"basicFormats": [{"name": "F", "blocks": [{"type": "pageNumbr"}]}]})", "basicFormats[0].blocks[0].type"},
      {R"({"basicFormats": [{"name": "F", "blocks": [{"type": "pageNumber", "text": "x"}]}]})",
       "basicFormats[0].blocks[0].text"},
      {R"({"basicFormats": [{"name": "F", "blocks": [{"type": "customText", "characterStyle": "Nope"}]}]})",
       "basicFormats[0].blocks[0].characterStyle"},
      {R"({"basicFormats": [{"name": "F"}, {"name": "f"}]})", "basicFormats[1].name"},
      {R"({"basicFormats": [{"name": "F"}], "stories": [{"paragraphs": [{"runs": ["a",
          {"nativeCrossReference": {"destination": "Nowhere", "format": "F"}}]}]}]})",
       "nativeCrossReference.destination"},
      {R"({"stories": [{"paragraphs": [{"runs": [{"textAnchor": {"name": "A"}}, "a", {"textAnchor": {"name": "a"}},
          "b"]}]}]})",
       "textAnchor.name"},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string json = dir.File("d" + std::to_string(i) + ".json");
    std::ofstream(json) << cases[i].first;
    ProgramRun run = RunXref("build '" + json + "' -o '" + dir.File("d.xrefdoc") + "'");
    EXPECT_EQ(2, run.exitCode) << run.out;
    EXPECT_NE(std::string::npos, run.out.find(cases[i].second)) << run.out;
    EXPECT_FALSE(std::ifstream(dir.File("d.xrefdoc")).good()) << cases[i].first;
  }
}
