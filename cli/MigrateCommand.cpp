// xref migrate DOC --to pro|basic (-o OUT | --in-place): moves the whole
// document to this system's cross-references or to the host's native ones
// in one step. The conversion log goes to standard error (as the host
// presents it), a summary to standard output. Exit 1 when the log holds
// anything: the document is written, but not all was carried over.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "cli/NativeCrossRefs.h"
#include "cli/SourceMarkers.h"
#include "commands/XRefMigrationID.h"
#include "engine/IXRefConversionLog.h"
#include "headless/application/Application.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/InterfacePtr.h"
#include <iostream>

namespace {
struct Census {
  size_t crossRefs = 0, natives = 0, markers = 0, basicFormats = 0;
};

Census Count(IDataBase* doc) {
  InterfacePtr<IBasicXRefFormatList> formats(doc, kRootUID);
  return {static_cast<size_t>(CrossRefsOf(doc).Length()), ListNativeCrossRefs(doc).size(),
          ListSourceMarkers(doc).size(), static_cast<size_t>(formats ? formats->GetFormatCount() : 0)};
}

class MigrateCommand : public CliCommand {
public:
  MigrateCommand() : CliCommand("migrate", "Move a document to XRef's cross-references or to native ones") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    sub->add_option("--to", to_, "pro: to XRef's cross-references; basic: to native ones")
        ->required()
        ->check(CLI::IsMember({"pro", "basic"}));
    AddWriteOptions(sub, &write_);
  }
  int Run() override {
    return ChangeDocument(path_, write_, [this](Application& app, DataBase* doc, std::string* error) {
      const Census before = Count(doc);
      InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(to_ == "pro" ? kXRefMigrateBasicToProCmdBoss
                                                                      : kXRefMigrateProToBasicCmdBoss));
      if (!cmd) {
        *error = "the migration command is missing";
        return kExitUsage;
      }
      cmd->SetItemList(UIDList(doc, kRootUID));
      if (!RunCommand(cmd.get(), error)) return kExitUsage;
      // The host presents the log through a command it runs when idle.
      app.Idle().RunOnce();
      const Census after = Count(doc);
      Summarize(before, after);
      InterfacePtr<IXRefConversionLog> log(doc, kRootUID);
      return log && !log->IsEmpty() ? kExitFinding : kExitOK;
    });
  }

private:
  void Summarize(const Census& before, const Census& after) const {
    if (to_ == "pro") {
      std::cout << path_ << ": " << before.natives - after.natives << " of " << before.natives
                << " native cross-references became cross-references, " << after.markers - before.markers
                << " source markers added, " << before.basicFormats << " Basic formats became formats\n";
      return;
    }
    std::cout << path_ << ": " << before.crossRefs - after.crossRefs << " of " << before.crossRefs
              << " cross-references became native ones, " << after.natives << " native cross-references in all, "
              << after.basicFormats << " Basic formats\n";
  }

  std::string path_, to_;
  WriteOptions write_;
};
MigrateCommand gMigrate;
}  // namespace
