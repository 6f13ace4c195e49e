// Copies a text marker object into the target document and wires the copy
// to the cross-reference and partner given. Item list: any object of the
// target document in, the copy out (empty on failure). The copy is not
// anchored; whoever made it anchors it.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/CopyUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRefTextMarker.h"

namespace {
class XRefCopyCrossRefTextMarkerCmd : public Command {
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
    if (!InterfacePtr<IXRefCrossRefTextMarker>(source)) return XRefCommandUtils::Fail(kObjectNotFoundError);
    const UID copy = CopyUtils::CopyObject(source, db);
    if (copy == kInvalidUID) return XRefCommandUtils::Fail(kFailure);

    InterfacePtr<ICommand> setup(
        XRefCommandUtils::CreateCommand(kXRefSetupCrossRefTextMarkerCmdBoss, UIDList(db, copy)));
    InterfacePtr<IUIDData> crossRef(setup.get(), IID_IXREFCROSSREFDATA);
    InterfacePtr<IUIDData> partner(setup.get(), IID_IXREFPARTNERMARKERDATA);
    if (!crossRef || !partner) return XRefCommandUtils::Fail(kInvalidParameterError);
    crossRef->Set(XRefCommandUtils::GetRefData(this, IID_IXREFCROSSREFDATA));
    partner->Set(XRefCommandUtils::GetRefData(this, IID_IXREFPARTNERMARKERDATA));
    if (!XRefCommandUtils::Process(setup.get())) return;
    SetItemList(UIDList(db, copy));
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCopyCrossRefTextMarkerCmd, kXRefCopyCrossRefTextMarkerCmdImpl);
