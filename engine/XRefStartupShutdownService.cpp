// Schedules the start-up command when the application starts, so that it
// runs once the application is up; shutting down needs nothing.
#include "commands/XRefCommandID.h"
#include "engine/XRefEngineID.h"
#include "host/CPMUnknown.h"
#include "host/CmdUtils.h"
#include "host/IStartupShutdownService.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefStartupShutdownService : public CPMUnknown<IStartupShutdownService> {
public:
  using CPMUnknown::CPMUnknown;

  void Startup() override {
    InterfacePtr<ICommand> startup(CmdUtils::CreateCommand(kXRefStartupCmdBoss));
    if (!startup) return;
    startup->SetUndoability(ICommand::kAutoUndo);
    CmdUtils::ScheduleCommand(startup.get(), kXRefStartupPriority);
  }
  void Shutdown() override {}
};
}  // namespace

CREATE_PMINTERFACE(XRefStartupShutdownService, kXRefStartupShutdownServiceImpl);
