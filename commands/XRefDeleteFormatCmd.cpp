// Deletes a workspace's format. The cross-references that used it keep
// their text and from then on carry its mark-up as their own custom format
// (an empty format name); nothing is recomposed.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormats.h"

namespace {
class XRefDeleteFormatCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef workspace;
    if (!XRefCommandUtils::SingleItem(this, &workspace)) return;
    InterfacePtr<IXRefFormats> formats(workspace);
    InterfacePtr<IIntData> index(this, IID_IINTDATA);
    if (!formats || !index) return;
    const int32 at = index->Get();
    if (at < 0 || at >= formats->GetFormatCount()) return;

    const PMString name = formats->GetFormatName(at);
    const PMString format = formats->GetFormatString(at);
    formats->RemoveFormat(at);

    InterfacePtr<IXRefCrossRefList> list(XRefCommandUtils::QueryCrossRefList(workspace.GetDataBase()));
    if (!list) return;
    const UIDList users = list->GetCrossRefsByFormat(name);
    for (int32 i = 0; i < users.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(users.GetRef(i));
      if (crossRef) crossRef->SetFormat(PMString(), format);
    }
    // The list's by-format index still files them under the deleted name.
    if (!users.IsEmpty()) list->InvalidateIndex();
  }

  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefDeleteFormatCmdKey"); }
};
}  // namespace

CREATE_PMINTERFACE(XRefDeleteFormatCmd, kXRefDeleteFormatCmdImpl);
