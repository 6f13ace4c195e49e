#pragma once
// Runs the xref program with arguments (already quoted for the shell) and
// collects what it printed and its exit code.
#include <string>

struct ProgramRun {
  int exitCode = -1;
  std::string out;
};

// With mergeStderr, standard error joins the output; otherwise it is dropped,
// so tests can tell the two apart. A run that outlives the deadline is
// killed (exit code 124 or 137).
// Any shell command, as the shell reads it: its standard output.
ProgramRun RunCommand(const std::string& command);
ProgramRun RunXref(const std::string& args, bool mergeStderr = true, int deadlineSeconds = 120);
// Runs a shell command line in `folder`, with the xref program first on
// the PATH, as a reader of the documentation would type it; standard error
// joins the output.
ProgramRun RunShellWithXref(const std::string& command, const std::string& folder, int deadlineSeconds = 120);
