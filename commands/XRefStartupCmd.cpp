// Gives the application workspace, once, the default formats and turns live
// updates on. The additions are scheduled, not run here, so they land after
// the application is up; the set-up-done preference keeps a later start-up
// from bringing back formats the user changed or deleted.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefDefaultFormats.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefFormatData.h"
#include "model/XRefModelID.h"

namespace {
class XRefStartupCmd : public Command {
public:
  using Command::Command;

protected:
  void SetUpTarget() override { target_ = kSessionTarget; }

  void Do() override {
    ISession* session = GetExecutionContextSession();
    const UIDRef workspace = session ? session->GetWorkspaceRef() : UIDRef();
    InterfacePtr<IBoolData> setUpDone(workspace, IID_IXREFSETUPDONE);
    if (!setUpDone || setUpDone->Get()) return;
    setUpDone->Set(true);
    for (size_t i = 0; i < kXRefDefaultFormatCount; ++i) ScheduleAddition(workspace, kXRefDefaultFormats[i]);
    InterfacePtr<IBoolData> liveUpdates(workspace, IID_IXREFLIVEUPDATES);
    if (liveUpdates) liveUpdates->Set(true);
  }

  PMString* CreateName() override { return new PMString(); }

private:
  static void ScheduleAddition(const UIDRef& workspace, const XRefDefaultFormat& format) {
    InterfacePtr<ICommand> add(XRefCommandUtils::CreateCommand(kXRefAddFormatCmdBoss, UIDList(workspace)));
    InterfacePtr<IXRefFormatData> data(add.get(), IID_IXREFFORMATDATA);
    if (!data) return;
    add->SetUndoability(ICommand::kAutoUndo);
    data->SetFormatData(PMString(format.name), PMString(format.markup));
    CmdUtils::ScheduleCommand(add.get(), kXRefStartupPriority);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefStartupCmd, kXRefStartupCmdImpl);
