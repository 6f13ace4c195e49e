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
void ExpectNoBareErrorCode(const std::string& what, const std::string& printed) {
  EXPECT_EQ(std::string::npos, printed.find("Error 0x")) << what << " printed:\n" << printed;
}

std::string ReadAndRemove(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return text.str();
}

// Runs `cmd`; standard error, when it went to `errPath`, is read back for
// the check of what users see.
ProgramRun Collect(const std::string& cmd, const std::string& what, const char* errPath = nullptr) {
  ProgramRun r;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  ExpectNoBareErrorCode(what, r.out + (errPath ? ReadAndRemove(errPath) : std::string()));
  return r;
}

// Under the sanitizers, LeakSanitizer would list the suppressions it used
// (headless/xml) after the program's own output.
const char kQuietLeaks[] = "LSAN_OPTIONS=${LSAN_OPTIONS:-print_suppressions=0} ";
}  // namespace

ProgramRun RunXref(const std::string& args, bool mergeStderr, int deadlineSeconds) {
  // Standard error kept apart goes to a file of its own, to be checked.
  char errPath[] = "/tmp/xref-run-stderr-XXXXXX";
  const int errFile = mergeStderr ? -1 : mkstemp(errPath);
  if (errFile >= 0) close(errFile);
  // The deadline kills a run that hangs; `timeout` then exits 124 or 137.
  const std::string cmd = kQuietLeaks + std::string("timeout -k 5 ") + std::to_string(deadlineSeconds) + " " +
                          std::string(XREF_BINARY) + " " + args +
                          (mergeStderr ? " 2>&1" : errFile >= 0 ? " 2>" + std::string(errPath) : " 2>/dev/null");
  return Collect(cmd, "xref " + args, errFile >= 0 ? errPath : nullptr);
}

ProgramRun RunShellWithXref(const std::string& command, const std::string& folder, int deadlineSeconds) {
  const std::string binary = XREF_BINARY;
  const std::string script = "cd '" + folder + "' && PATH='" + binary.substr(0, binary.rfind('/')) + "':\"$PATH\" && " +
                             command;
  std::string quoted;  // the script, single-quoted for sh -c
  for (char c : script) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return Collect("export " + std::string(kQuietLeaks) + "; timeout -k 5 " + std::to_string(deadlineSeconds) +
                     " sh -c '" + quoted + "' 2>&1",
                 command);
}

ProgramRun RunCommand(const std::string& command) { return Collect(command, command); }
