// Deletes a source marker object and takes it out of its document's list,
// as one step. Item list: the marker.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/TextIDs.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarker.h"

namespace {
class XRefDeleteSourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefDeleteSourceMarkerCmdKey")};
    UIDRef marker;
    if (!XRefCommandUtils::SingleItem(this, &marker)) return;
    // The host's delete takes any object; this command deletes markers only.
    if (!InterfacePtr<IXRefSourceMarker>(marker)) return XRefCommandUtils::Fail(kObjectNotFoundError);
    InterfacePtr<ICommand> del(XRefCommandUtils::CreateCommand(kDeleteObjectCmdBoss, UIDList(marker)));
    if (!XRefCommandUtils::Process(del.get())) return;
    InterfacePtr<ICommand> remove(XRefCommandUtils::CreateCommand(kXRefRemoveSourceMarkerCmdBoss, UIDList(marker)));
    // The marker is gone either way; a list that cannot be told does not undo that.
    if (!XRefCommandUtils::Process(remove.get())) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }

  void DoNotify() override { XRefCommandUtils::NotifyDocument(this, IID_IXREFSOURCEMARKER); }
};
}  // namespace

CREATE_PMINTERFACE(XRefDeleteSourceMarkerCmd, kXRefDeleteSourceMarkerCmdImpl);
