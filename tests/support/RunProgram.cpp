#include "tests/support/RunProgram.h"
#include <array>
#include <cstdio>
#include <sys/wait.h>

ProgramRun RunXref(const std::string& args, bool mergeStderr, int deadlineSeconds) {
  // The deadline kills a run that hangs; `timeout` then exits 124 or 137.
  // Under the sanitizers, LeakSanitizer would list the suppressions it used
  // (headless/xml) after the program's own output.
  std::string cmd = "LSAN_OPTIONS=${LSAN_OPTIONS:-print_suppressions=0} timeout -k 5 " +
                    std::to_string(deadlineSeconds) + " " + std::string(XREF_BINARY) + " " + args +
                    (mergeStderr ? " 2>&1" : " 2>/dev/null");
  return RunCommand(cmd);
}

ProgramRun RunCommand(const std::string& command) {
  ProgramRun r;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}
