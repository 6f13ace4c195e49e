#include "tests/support/RunProgram.h"
#include <fstream>
#include "tests/support/TestApp.h"

namespace {
ProgramRun RunXrefQuiet(const std::string& args) { return RunXref(args, false); }
}  // namespace

TEST(Cli, HelpVersionAndUsageErrors) {
  ProgramRun help = RunXrefQuiet("--help");
  EXPECT_EQ(0, help.exitCode);
  EXPECT_NE(std::string::npos, help.out.find("Usage"));
  ProgramRun version = RunXrefQuiet("--version");
  EXPECT_EQ(0, version.exitCode);
  EXPECT_NE(std::string::npos, version.out.find("xref 1.2.0"));
  ProgramRun bad = RunXrefQuiet("--no-such-flag");
  EXPECT_EQ(2, bad.exitCode);
  EXPECT_TRUE(bad.out.empty());  // the complaint went to standard error
  ProgramRun badWithErr = RunXref("--no-such-flag", true);
  EXPECT_NE(std::string::npos, badWithErr.out.find("xref:"));
  EXPECT_EQ(2, RunXrefQuiet("").exitCode);
}

TEST(Cli, DescribeRejectsWhatIsNotADocument) {
  TempDir dir;
  ProgramRun r = RunXref("describe " + dir.File("missing.xrefdoc"), true);
  EXPECT_EQ(2, r.exitCode);
  EXPECT_NE(std::string::npos, r.out.find("cannot open"));
}

// Every command that works on documents opens them all before it changes
// anything: one that cannot be opened is named, with the cause, the run
// exits 2 and the documents before it are left as they were.
TEST(Cli, DocumentCommandsNameTheDocumentTheyCannotOpenAndChangeNothing) {
  TempDir dir;
  ASSERT_EQ(0, RunXref("sample --output '" + dir.File("s") + "'").exitCode);
  const std::string doc = dir.File("s/sample.xrefdoc");
  const std::string good = "'" + doc + "'";
  const std::string missing = "'" + dir.File("missing.xrefdoc") + "'";
  std::ofstream(dir.File("noop.js")) << "var n = 1;\n";
  const std::string before = FileBytes(doc);
  ASSERT_FALSE(before.empty());
  for (const std::string& args :
       {"check " + good + " " + missing, "update " + good + " " + missing + " --in-place",
        "edit " + good + " " + missing + " --insert 0:0:x --in-place", "script " + good + " " + missing + " '" +
        dir.File("noop.js") + "' --in-place", "list " + missing, "action " + missing + " update-all --in-place"}) {
    ProgramRun run = RunXref(args, true);
    EXPECT_EQ(2, run.exitCode) << args << "\n" << run.out;
    EXPECT_NE(std::string::npos, run.out.find("missing.xrefdoc")) << args << "\n" << run.out;
    EXPECT_NE(std::string::npos, run.out.find("cannot open")) << args << "\n" << run.out;
    EXPECT_EQ(before, FileBytes(doc)) << args;
  }
}
