// Takes a cross-reference out of its document's list.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRefList.h"

namespace {
class XRefRemoveCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef item;
    if (!XRefCommandUtils::SingleItem(this, &item)) return;
    InterfacePtr<IXRefCrossRefList> list(XRefCommandUtils::QueryCrossRefList(item.GetDataBase()));
    if (!list) return XRefCommandUtils::Fail(kObjectNotFoundError);
    list->RemoveCrossRef(item.GetUID());
  }

  void DoNotify() override {
    if (GetItemList()->Length() != 1) return;
    XRefCommandUtils::NotifyDocument(this, IID_IXREFCROSSREF);
    XRefCommandUtils::NotifyApplication(this, IID_IXREFCROSSREF);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefRemoveCrossRefCmd, kXRefRemoveCrossRefCmdImpl);
