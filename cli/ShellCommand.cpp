// xref shell DOC... [--script FILE] [--yes] [--keep-going]: the interactive
// front end. On a terminal it prompts, asks its questions there and carries
// on after a failed command. A script (--script, or input that is not a
// terminal) answers questions with their defaults (--yes: with the first
// button) and stops at its first failed line, saving nothing more: exit 2
// naming the line, since the lines after it would act on a selection it did
// not set. --keep-going runs on instead. Exit 0 when every command ran and
// nothing unsaved was left, 1 otherwise.
#include "cli/AppSession.h"
#include "headless/objects/SourceDateEpoch.h"
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "cli/Shell.h"
#include "cli/TerminalQuestions.h"
#include "headless/database/SafeFile.h"
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace {
// A script of commands may come from a regular file, a pipe or standard
// input (/dev/stdin); a folder or a device such as /dev/zero may not.
bool ScriptSourceAllowed(const std::string& path, std::string* error) {
  struct stat st {}, in {};
  if (::stat(path.c_str(), &st) != 0) {
    *error = path + ": cannot read the script: " + std::strerror(errno);
    return false;
  }
  const bool standardInput = ::fstat(STDIN_FILENO, &in) == 0 && in.st_dev == st.st_dev && in.st_ino == st.st_ino;
  if (S_ISREG(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) || standardInput) return true;
  *error = path + (S_ISDIR(st.st_mode) ? ": a folder, not a script" : ": not a file nor a pipe");
  return false;
}

class ShellCommand : public CliCommand {
public:
  ShellCommand() : CliCommand("shell", "Work on documents through the selection and the menu actions") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("documents", paths_, "Document files; the first is in front")->required();
    sub->add_option("--script", script_, "Read the commands from this file instead of the terminal");
    sub->add_flag("--yes", yes_, "Answer every question with its first button");
    sub->add_flag("--keep-going", keepGoing_, "In a script, run on after a failed line");
  }

  int Run() override {
    VirtualClock clock(SessionStartMicros());
    SessionOptions options;
    options.clock = &clock;
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments(options, paths_, &docs, false, paths_);
    if (!app) return kExitUsage;
    std::ifstream scriptFile;
    if (!script_.empty()) {
      std::string error;
      if (!ScriptSourceAllowed(script_, &error)) {
        PrintError(error);
        return kExitUsage;
      }
      scriptFile.open(script_);
      if (!scriptFile) {
        PrintError(script_ + ": cannot read the script");
        return kExitUsage;
      }
    }
    app->SetFrontDocument(docs.front());
    const bool terminal = script_.empty() && ::isatty(STDIN_FILENO);
    std::istream& in = script_.empty() ? std::cin : scriptFile;
    if (yes_) AnswerYes(*app);
    else if (terminal) AskOn(*app, std::cin, std::cout);
    Shell shell(*app, docs, std::cout, terminal || yes_);
    std::string line;
    bool ended = false;
    SafeFile::LineReader lines(in, script_.empty() ? "standard input" : script_);
    for (size_t number = 1; !ended; ++number) {
      if (terminal) std::cout << "xref> " << std::flush;
      if (!lines.Next(&line)) break;
      if (!terminal) std::cout << "> " << line << "\n";
      const int32 failures = shell.Failures();
      ended = !shell.Execute(line);
      if (terminal || keepGoing_ || shell.Failures() == failures) continue;
      std::cout.flush();
      PrintError((script_.empty() ? std::string("standard input") : script_) + ":" + std::to_string(number) +
                 ": the line failed; the script stopped there and saved nothing more");
      return kExitUsage;
    }
    if (!lines.Error().empty() || in.bad()) {
      PrintError(lines.Error().empty() ? "cannot read the commands" : lines.Error());
      return kExitUsage;
    }
    const bool clean = ended || shell.Finish();
    return clean && shell.Failures() == 0 && shell.Findings() == 0 ? kExitOK : kExitFinding;
  }

private:
  std::vector<std::string> paths_;
  std::string script_;
  bool yes_ = false;
  bool keepGoing_ = false;
};
ShellCommand gShell;
}  // namespace
