#include "tests/support/RunProgram.h"
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Users read words, never a bare error number: every run of the suite
// checks what the program printed, on either stream.
void ExpectNoBareErrorCode(const std::string& args, const std::string& printed) {
  EXPECT_EQ(std::string::npos, printed.find("Error 0x")) << "xref " << args << " printed:\n" << printed;
}

std::string ReadAndRemove(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return text.str();
}
}  // namespace

ProgramRun RunXref(const std::string& args, bool mergeStderr, int deadlineSeconds) {
  // Standard error kept apart goes to a file of its own, to be checked.
  char errPath[] = "/tmp/xref-run-stderr-XXXXXX";
  const int errFile = mergeStderr ? -1 : mkstemp(errPath);
  if (errFile >= 0) close(errFile);
  // The deadline kills a run that hangs; `timeout` then exits 124 or 137.
  // Under the sanitizers, LeakSanitizer would list the suppressions it used
  // (headless/xml) after the program's own output.
  std::string cmd = "LSAN_OPTIONS=${LSAN_OPTIONS:-print_suppressions=0} timeout -k 5 " +
                    std::to_string(deadlineSeconds) + " " + std::string(XREF_BINARY) + " " + args +
                    (mergeStderr ? " 2>&1" : errFile >= 0 ? " 2>" + std::string(errPath) : " 2>/dev/null");
  ProgramRun r;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  ExpectNoBareErrorCode(args, r.out + (errFile >= 0 ? ReadAndRemove(errPath) : std::string()));
  return r;
}
