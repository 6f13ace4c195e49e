// Points a cross-reference at another source (document and marker name) and
// recomposes it. Item list: the cross-reference.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefCrossRefSteps.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"

namespace {
class XRefSetCrossRefSourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef ref;
    InterfacePtr<IXRefCrossRef> crossRef(XRefCommandUtils::QuerySingleItem<IXRefCrossRef>(this, &ref));
    if (!crossRef) return;
    InterfacePtr<IFileData> file(this, IID_IFILEDATA);
    InterfacePtr<IStringData> name(this, IID_ISTRINGDATA);
    if (!file || !name) return XRefCommandUtils::Fail(kInvalidParameterError);
    crossRef->SetSource(IDFile(file->GetFile().GetPath()), name->Get());
    XRefCrossRefSteps::InvalidateIndex(ref.GetDataBase());
    XRefCrossRefSteps::Update(*GetItemList());
  }

  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefSetCrossRefSourceMarkerCmdKey"); }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetCrossRefSourceMarkerCmd, kXRefSetCrossRefSourceMarkerCmdImpl);
