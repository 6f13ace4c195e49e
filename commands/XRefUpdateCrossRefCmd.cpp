// Recomposes the text of cross-references of one document, behind a
// cancellable progress bar. A live (background) update does not open closed
// source documents, and cancelling it switches live updates off.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefUpdateBlocking.h"
#include "host/CAlert.h"
#include "host/Command.h"
#include "host/IApplication.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "host/ProgressBar.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"

namespace {
class XRefUpdateCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    const UIDList* items = GetItemList();
    if (!items || items->IsEmpty()) return;
    if (XRefUpdateBlocking::IsBlocked()) return;
    InterfacePtr<IBoolData> live(this, IID_IBOOLDATA);
    if (!live) return;
    RangeProgressBar bar(Translated("QX#0xF2C#kXRefUpdatingCrossRefsKey"), 0, items->Length(), true);
    for (int32 i = 0; i < items->Length(); ++i) {
      bar.SetPosition(i + 1);
      bar.SetTaskText(PMString());
      InterfacePtr<IXRefCrossRef> crossRef(items->GetRef(i));
      if (crossRef) crossRef->Update(!live->Get());
      if (!bar.WasCancelled()) continue;
      if (live->Get()) SwitchLiveUpdatesOff();
      break;
    }
  }

  void DoNotify() override {
    if (GetItemList()->IsEmpty()) return;
    XRefCommandUtils::NotifyDocument(this, IID_IXREFCROSSREF);
    XRefCommandUtils::NotifyApplication(this, IID_IXREFCROSSREF);
  }

  PMString* CreateName() override {
    return new PMString(GetItemList()->Length() == 1 ? "QX#0xF2C#kXRefUpdateCrossRefCmdKey"
                                                     : "QX#0xF2C#kXRefUpdateCrossRefsCmdKey");
  }

private:
  static PMString Translated(const char* key) {
    PMString s(key);
    s.Translate();
    return s;
  }

  // Live updates that were on go off, with a warning; already off, nothing.
  static void SwitchLiveUpdatesOff() {
    ISession* session = GetExecutionContextSession();
    IActiveContext* context = session ? session->GetActiveContext() : nullptr;
    if (!context) return;
    const UIDRef workspace = context->GetContextWorkspaceRef();
    InterfacePtr<IBoolData> preference(workspace, IID_IXREFLIVEUPDATES);
    if (!preference || !preference->Get()) return;
    InterfacePtr<ICommand> off(XRefCommandUtils::CreateCommand(kXRefEnableLiveUpdatesCmdBoss, UIDList(workspace)));
    InterfacePtr<IBoolData> enable(off.get(), IID_IBOOLDATA);
    if (!enable) return;
    enable->Set(false);
    if (XRefCommandUtils::Process(off.get())) CAlert::WarningAlert(Translated("QX#0xF2C#kXRefLiveUpdatesWereDisabledKey"));
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefUpdateCrossRefCmd, kXRefUpdateCrossRefCmdImpl);
