// Copies a cross-reference object into the target document and lists it
// there. Item list: any object of the target document in, the copy out
// (empty on failure).
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/CopyUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"

namespace {
class XRefCopyCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence;
    UIDRef target;
    const bool single = XRefCommandUtils::SingleItem(this, &target);
    IDataBase* db = GetItemList()->GetDataBase();
    SetItemList(UIDList(db));
    if (!single) return;
    const UIDRef source = XRefCommandUtils::GetRefData(this, IID_IUIDDATA);
    if (!InterfacePtr<IXRefCrossRef>(source)) return XRefCommandUtils::Fail(kObjectNotFoundError);
    const UID copy = CopyUtils::CopyObject(source, db);
    if (copy == kInvalidUID) return XRefCommandUtils::Fail(kFailure);
    InterfacePtr<ICommand> add(XRefCommandUtils::CreateCommand(kXRefAddCrossRefCmdBoss, UIDList(db, copy)));
    if (!XRefCommandUtils::Process(add.get())) return;
    SetItemList(UIDList(db, copy));
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCopyCrossRefCmd, kXRefCopyCrossRefCmdImpl);
