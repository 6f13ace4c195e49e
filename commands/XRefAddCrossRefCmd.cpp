// Adds a cross-reference to its document's list, in text order.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"

namespace {
class XRefAddCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef item;
    if (!XRefCommandUtils::SingleItem(this, &item)) return;
    InterfacePtr<IXRefCrossRefList> list(XRefCommandUtils::QueryCrossRefList(item.GetDataBase()));
    if (!list || !InterfacePtr<IXRefCrossRef>(item)) return XRefCommandUtils::Fail(kObjectNotFoundError);
    list->AddCrossRef(item.GetUID(), -1);
  }

  void DoNotify() override {
    if (GetItemList()->Length() == 1) XRefCommandUtils::NotifyDocument(this, IID_IXREFCROSSREF);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefAddCrossRefCmd, kXRefAddCrossRefCmdImpl);
