#include "tests/TestApp.h"
#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace {
struct ProgramRun {
  int exitCode;
  std::string out;
};

// Runs the program with arguments; standard error is folded into the output
// only when asked, so tests can tell the two apart.
ProgramRun RunXref(const std::string& args, bool withStderr = false) {
  std::string cmd = std::string(XREF_BINARY) + " " + args + (withStderr ? " 2>&1" : " 2>/dev/null");
  ProgramRun r{-1, {}};
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}
}  // namespace

TEST(Cli, HelpVersionAndUsageErrors) {
  ProgramRun help = RunXref("--help");
  EXPECT_EQ(0, help.exitCode);
  EXPECT_NE(std::string::npos, help.out.find("Usage"));
  ProgramRun version = RunXref("--version");
  EXPECT_EQ(0, version.exitCode);
  EXPECT_NE(std::string::npos, version.out.find("xref 1.2.0"));
  ProgramRun bad = RunXref("--no-such-flag");
  EXPECT_EQ(2, bad.exitCode);
  EXPECT_TRUE(bad.out.empty());  // the complaint went to standard error
  ProgramRun badWithErr = RunXref("--no-such-flag", true);
  EXPECT_NE(std::string::npos, badWithErr.out.find("xref:"));
  EXPECT_EQ(2, RunXref("").exitCode);
}

TEST(Cli, DescribeRejectsWhatIsNotADocument) {
  TempDir dir;
  ProgramRun r = RunXref("describe " + dir.File("missing.xrefdoc"), true);
  EXPECT_EQ(2, r.exitCode);
  EXPECT_NE(std::string::npos, r.out.find("cannot open"));
}
