// xref action DOC NAME [--yes] (-o OUT | --in-place): runs one of the
// plug-in's menu actions on the document as the front document, then writes
// it to OUT or over itself. A disabled or failed action is a finding (exit 1)
// and writes nothing.
// The delete-all question is asked on a terminal; --yes answers it; else its
// default ("No") does.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "cli/MenuActions.h"
#include "cli/TerminalQuestions.h"
#include <iostream>
#include <unistd.h>

namespace {
class ActionCommand : public CliCommand {
public:
  ActionCommand() : CliCommand("action", "Run one of the plug-in's menu actions on a document") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    std::string names;
    for (const MenuAction& a : MenuActions()) names += std::string(names.empty() ? "" : ", ") + a.name;
    sub->add_option("action", name_, "One of: " + names)->required();
    sub->add_flag("--yes", yes_, "Answer the action's question with Yes");
    AddWriteOptions(sub, &write_);
  }

  int Run() override {
    const MenuAction* action = FindMenuAction(name_);
    if (!action) {
      PrintError("unknown action '" + name_ + "'");
      return kExitUsage;
    }
    std::string error;
    if (!CheckWriteOptions(write_, 1, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments({}, {path_}, &docs, false, WriteTargets({path_}, write_));
    if (!app) return kExitUsage;
    DataBase* doc = docs.front();
    DrawProgressOnTerminal(*app);
    if (yes_) AnswerYes(*app);
    else if (::isatty(STDIN_FILENO)) AskOn(*app, std::cin, std::cerr);
    app->SetFrontDocument(doc);
    if (!RunMenuAction(app.get(), *action, &error)) {
      PrintError(path_ + ": " + error);
      return kExitFinding;
    }
    if (!WriteDocument(*app, doc, path_, write_, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    std::cout << path_ << ": " << action->name << " done\n";
    return kExitOK;
  }

private:
  std::string path_, name_;
  WriteOptions write_;
  bool yes_ = false;
};
ActionCommand gAction;
}  // namespace
