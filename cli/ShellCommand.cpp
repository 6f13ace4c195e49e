// xref shell DOC... [--script FILE] [--yes]: the interactive front end. On
// a terminal it prompts and asks its questions there; with --script it runs
// the file's commands and answers questions with their defaults (--yes:
// with the first button). Exit 0 when every command ran and nothing unsaved
// was left, 1 otherwise.
#include "cli/AppSession.h"
#include "headless/objects/SourceDateEpoch.h"
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "cli/Shell.h"
#include "cli/TerminalQuestions.h"
#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace {
class ShellCommand : public CliCommand {
public:
  ShellCommand() : CliCommand("shell", "Work on documents through the selection and the menu actions") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("documents", paths_, "Document files; the first is in front")->required();
    sub->add_option("--script", script_, "Read the commands from this file instead of the terminal");
    sub->add_flag("--yes", yes_, "Answer every question with its first button");
  }

  int Run() override {
    std::ifstream scriptFile;
    if (!script_.empty()) {
      // Any readable file but a folder: a pipe or /dev/stdin serves too.
      std::error_code ec;
      if (std::filesystem::is_directory(script_, ec)) {
        PrintError(script_ + ": a folder, not a script");
        return kExitUsage;
      }
      scriptFile.open(script_);
      if (!scriptFile) {
        PrintError(script_ + ": cannot read the script");
        return kExitUsage;
      }
    }
    VirtualClock clock(SessionStartMicros());
    SessionOptions options;
    options.clock = &clock;
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments(options, paths_, &docs);
    if (!app) return kExitUsage;
    app->SetFrontDocument(docs.front());
    const bool terminal = script_.empty() && ::isatty(STDIN_FILENO);
    std::istream& in = script_.empty() ? std::cin : scriptFile;
    if (yes_) AnswerYes(*app);
    else if (terminal) AskOn(*app, std::cin, std::cout);
    Shell shell(*app, docs, std::cout, terminal || yes_);
    std::string line;
    bool ended = false;
    while (!ended) {
      if (terminal) std::cout << "xref> " << std::flush;
      if (!std::getline(in, line)) break;
      if (!terminal) std::cout << "> " << line << "\n";
      ended = !shell.Execute(line);
    }
    const bool clean = ended || shell.Finish();
    return clean && shell.Failures() == 0 ? kExitOK : kExitFinding;
  }

private:
  std::vector<std::string> paths_;
  std::string script_;
  bool yes_ = false;
};
ShellCommand gShell;
}  // namespace
