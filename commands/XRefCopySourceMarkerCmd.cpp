// Copies a source marker into a document under a name free there, and lists
// the copy. Item list: any object of the target document in, the copy out.
// The copy is not anchored; whoever made it anchors it.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/CopyUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerUtils.h"

namespace {
class XRefCopySourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefCopySourceMarkerCmdKey")};
    UIDRef target;
    const bool single = XRefCommandUtils::SingleItem(this, &target);
    IDataBase* db = GetItemList()->GetDataBase();
    SetItemList(UIDList(db));
    if (!single) return;
    InterfacePtr<IUIDData> object(this, IID_IUIDDATA);
    if (!object) return XRefCommandUtils::Fail(kInvalidParameterError);
    InterfacePtr<IXRefSourceMarker> source(object->GetRef());
    if (!source) return XRefCommandUtils::Fail(kObjectNotFoundError);
    const UID copy = CopyUtils::CopyObject(object->GetRef(), db);
    if (copy == kInvalidUID) return XRefCommandUtils::Fail(kFailure);

    InterfacePtr<IXRefSourceMarkerUtils> utils(UtilsBoss::QueryUtils<IXRefSourceMarkerUtils>());
    const PMString name = utils ? utils->GetUniqueMarkerName(source->GetMarkerName(), db) : source->GetMarkerName();
    InterfacePtr<ICommand> rename(XRefCommandUtils::CreateCommand(kXRefModifySourceMarkerCmdBoss, UIDList(db, copy)));
    InterfacePtr<IStringData> newName(rename.get(), IID_ISTRINGDATA);
    if (!newName) return XRefCommandUtils::Fail(kInvalidParameterError);
    newName->Set(name);
    if (!XRefCommandUtils::Process(rename.get())) return;

    InterfacePtr<ICommand> add(XRefCommandUtils::CreateCommand(kXRefAddSourceMarkerCmdBoss, UIDList(db, copy)));
    if (!XRefCommandUtils::Process(add.get())) return;
    SetItemList(UIDList(db, copy));
  }

  void DoNotify() override { XRefCommandUtils::NotifyDocument(this, IID_IXREFSOURCEMARKER); }
};
}  // namespace

CREATE_PMINTERFACE(XRefCopySourceMarkerCmd, kXRefCopySourceMarkerCmdImpl);
