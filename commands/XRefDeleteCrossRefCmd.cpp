// Deletes a cross-reference object and takes it out of its document's list,
// as one step. Its text and markers stay, and the caller deals with them;
// the markers forget it, since its UID may name another object once the
// document is opened again.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/TextIDs.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefTextMarker.h"

namespace {
class XRefDeleteCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefDeleteCrossRefCmdKey")};
    UIDRef item;
    if (!XRefCommandUtils::SingleItem(this, &item)) return;
    // The host's delete takes any object; this command deletes cross-references only.
    if (!InterfacePtr<IXRefCrossRef>(item)) return XRefCommandUtils::Fail(kObjectNotFoundError);
    Unlink(item);
    InterfacePtr<ICommand> del(XRefCommandUtils::CreateCommand(kDeleteObjectCmdBoss, UIDList(item)));
    if (!XRefCommandUtils::Process(del.get())) return;
    InterfacePtr<ICommand> remove(XRefCommandUtils::CreateCommand(kXRefRemoveCrossRefCmdBoss, UIDList(item)));
    // The object is gone either way; a list that cannot be told does not undo that.
    if (!XRefCommandUtils::Process(remove.get())) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }

private:
  static void Unlink(const UIDRef& item) {
    InterfacePtr<IXRefCrossRef> crossRef(item);
    for (UID uid : {crossRef->GetStartMarker(), crossRef->GetEndMarker()}) {
      InterfacePtr<IXRefCrossRefTextMarker> marker(item.GetDataBase(), uid);
      if (!marker || marker->GetMarkerCrossRef() != item.GetUID()) continue;
      marker->SetMarkerCrossRef(kInvalidUID);
      marker->SetPartnerMarker(kInvalidUID);
    }
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefDeleteCrossRefCmd, kXRefDeleteCrossRefCmdImpl);
