// Stamps a cross-reference with the current time as its last update.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"

namespace {
class XRefSetCrossRefUpdateTimeCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef item;
    InterfacePtr<IXRefCrossRef> crossRef(XRefCommandUtils::QuerySingleItem<IXRefCrossRef>(this, &item));
    if (!crossRef) return;
    crossRef->SetUpdateTime();
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetCrossRefUpdateTimeCmd, kXRefSetCrossRefUpdateTimeCmdImpl);
