// Renames and rewrites a workspace's format, then gives every cross-reference
// of the workspace's document that used the old name the new name and
// mark-up and recomposes them, as part of this command's undo step. The
// index parameter comes back holding the format's new sorted position.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"

namespace {
class XRefModifyFormatCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef workspace;
    if (!XRefCommandUtils::SingleItem(this, &workspace)) return;
    InterfacePtr<IXRefFormats> formats(workspace);
    InterfacePtr<IXRefFormatData> data(this, IID_IXREFFORMATDATA);
    InterfacePtr<IIntData> index(this, IID_IINTDATA);
    if (!formats || !data || !index) return;
    const int32 at = index->Get();
    if (at < 0 || at >= formats->GetFormatCount()) return;

    const PMString oldName = formats->GetFormatName(at);
    const PMString newName = data->GetFormatName();
    const PMString newFormat = data->GetFormatString();
    formats->RemoveFormat(at);
    formats->AddFormat(newName, newFormat);
    index->Set(formats->FindFormat(newName));

    InterfacePtr<IXRefCrossRefList> list(XRefCommandUtils::QueryCrossRefList(workspace.GetDataBase()));
    if (!list) return;
    const UIDList users = list->GetCrossRefsByFormat(oldName);
    if (users.IsEmpty()) return;
    for (int32 i = 0; i < users.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(users.GetRef(i));
      if (crossRef) crossRef->SetFormat(newName, newFormat);
    }
    // The list's by-format index still files them under the old name.
    list->InvalidateIndex();
    InterfacePtr<ICommand> update(XRefCommandUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss, users));
    InterfacePtr<IBoolData> live(update.get(), IID_IBOOLDATA);
    if (!live) return;
    live->Set(false);
    XRefCommandUtils::ProcessMerged(update.get());
  }

  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefModifyFormatCmdKey"); }
};
}  // namespace

CREATE_PMINTERFACE(XRefModifyFormatCmd, kXRefModifyFormatCmdImpl);
