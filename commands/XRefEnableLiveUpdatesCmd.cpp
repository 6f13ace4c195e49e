// Switches live updates of a workspace on or off, and has the cross-
// references of the workspace's document checked again.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "engine/XRefSchedulerReports.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefModelID.h"

namespace {
class XRefEnableLiveUpdatesCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef workspace;
    if (!XRefCommandUtils::SingleItem(this, &workspace)) return;
    InterfacePtr<IBoolData> preference(workspace, IID_IXREFLIVEUPDATES);
    InterfacePtr<IBoolData> enable(this, IID_IBOOLDATA);
    if (!preference || !enable) return;
    preference->Set(enable->Get());
    XRefSchedulerReports::MarkAllCrossRefs(workspace.GetDataBase(), false);
  }

  PMString* CreateName() override {
    InterfacePtr<IBoolData> enable(this, IID_IBOOLDATA);
    if (!enable) return new PMString();
    return new PMString(enable->Get() ? "QX#0xF2C#kXRefEnableLiveUpdatesCmdKey"
                                      : "QX#0xF2C#kXRefDisableLiveUpdatesCmdKey");
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefEnableLiveUpdatesCmd, kXRefEnableLiveUpdatesCmdImpl);
