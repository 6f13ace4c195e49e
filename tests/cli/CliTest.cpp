#include "tests/support/RunProgram.h"
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
