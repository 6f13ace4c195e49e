#include "tests/support/RunProgram.h"
#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace {
ProgramRun Collect(const std::string& cmd) {
  ProgramRun r;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// Under the sanitizers, LeakSanitizer would list the suppressions it used
// (headless/xml) after the program's own output.
const char kQuietLeaks[] = "LSAN_OPTIONS=${LSAN_OPTIONS:-print_suppressions=0} ";
}  // namespace

ProgramRun RunXref(const std::string& args, bool mergeStderr, int deadlineSeconds) {
  // The deadline kills a run that hangs; `timeout` then exits 124 or 137.
  return Collect(kQuietLeaks + std::string("timeout -k 5 ") + std::to_string(deadlineSeconds) + " " +
                 std::string(XREF_BINARY) + " " + args + (mergeStderr ? " 2>&1" : " 2>/dev/null"));
}

ProgramRun RunShellWithXref(const std::string& command, const std::string& folder, int deadlineSeconds) {
  const std::string binary = XREF_BINARY;
  const std::string script = "cd '" + folder + "' && PATH='" + binary.substr(0, binary.rfind('/')) + "':\"$PATH\" && " +
                             command;
  std::string quoted;  // the script, single-quoted for sh -c
  for (char c : script) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return Collect("export " + std::string(kQuietLeaks) + "; timeout -k 5 " + std::to_string(deadlineSeconds) +
                 " sh -c '" + quoted + "' 2>&1");
}
