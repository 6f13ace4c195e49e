// Points cross-references at another source document, keeping their marker
// names, and recomposes them without opening closed documents.
// Item list: the cross-references (of one document).
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefCrossRefSteps.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"

namespace {
class XRefRelinkCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    const UIDList* items = GetItemList();
    if (!items || items->IsEmpty()) return;
    InterfacePtr<IFileData> file(this, IID_IFILEDATA);
    if (!file) return XRefCommandUtils::Fail(kInvalidParameterError);
    const IDFile target(file->GetFile().GetPath());
    for (int32 i = 0; i < items->Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(items->GetRef(i));
      if (crossRef) crossRef->SetSourceDocument(target);
    }
    XRefCrossRefSteps::InvalidateIndex(items->GetDataBase());
    if (!XRefCrossRefSteps::IsFirstExecution(this)) return;
    for (int32 i = 0; i < items->Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(items->GetRef(i));
      if (crossRef) crossRef->Update(false);
    }
  }

  void DoNotify() override {
    if (!GetItemList()->IsEmpty()) XRefCommandUtils::NotifyDocument(this, IID_IXREFCROSSREF);
  }

  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefRelinkCrossRefCmdKey"); }
};
}  // namespace

CREATE_PMINTERFACE(XRefRelinkCrossRefCmd, kXRefRelinkCrossRefCmdImpl);
