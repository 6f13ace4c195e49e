// docs/tutorial.md runs as written: its files are saved and its commands
// run in order, in an empty folder, each with the exit code the page gives
// it ("# exit N" at the end of the line, else 0).
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <fstream>
#include <regex>
#include <sstream>

namespace {
struct Step {
  std::string file;     // a file to save, or empty for a command
  std::string text;     // the file's contents, or the command
  int exitCode = 0;
};

// Fenced blocks: "```LANG NAME" is a file, "```sh" alone commands, others
// (output shown) nothing.
std::vector<Step> Steps(const std::string& page) {
  std::vector<Step> steps;
  std::istringstream in(page);
  std::string line;
  static const std::regex fence("```([a-z]*)( +(\\S+))?");
  static const std::regex expected("(.*\\S)\\s+# exit ([0-9]+)");
  while (std::getline(in, line)) {
    std::smatch m;
    if (!std::regex_match(line, m, fence) || m[1].str().empty()) continue;
    const std::string language = m[1], name = m[3];
    std::string body;
    while (std::getline(in, line) && line != "```") {
      if (!name.empty()) {
        body += line + "\n";
      } else if (language == "sh" && !line.empty() && line[0] != '#') {
        std::smatch e;
        if (std::regex_match(line, e, expected)) steps.push_back({"", e[1].str(), std::stoi(e[2])});
        else steps.push_back({"", line, 0});
      }
    }
    if (!name.empty()) steps.push_back({name, body, 0});
  }
  return steps;
}
}  // namespace

TEST(Tutorial, EveryCommandRunsAsWrittenWithTheExitCodeTheTutorialGives) {
  std::ifstream in(std::string(XREF_SOURCE_DIR) + "/docs/tutorial.md");
  std::stringstream page;
  page << in.rdbuf();
  const std::vector<Step> steps = Steps(page.str());
  int32 commands = 0, failing = 0;
  TempDir dir;
  for (const Step& step : steps) {
    if (!step.file.empty()) {
      std::ofstream(dir.File(step.file), std::ios::binary) << step.text;
      continue;
    }
    ++commands;
    failing += step.exitCode != 0;
    ProgramRun run = RunShellWithXref(step.text, dir.File(""));
    ASSERT_EQ(step.exitCode, run.exitCode) << step.text << "\n" << run.out;
  }
  // The walk through covers building, checking that finds and passes, and
  // the revision's commands; a page that lost them would pass trivially.
  EXPECT_GE(commands, 20);
  EXPECT_GE(failing, 3);
  EXPECT_TRUE(std::filesystem::exists(dir.File("guide-page-2.png")));
  EXPECT_NE(std::string::npos, FileBytes(dir.File("check.json")).find("\"ok\": true"));
}
