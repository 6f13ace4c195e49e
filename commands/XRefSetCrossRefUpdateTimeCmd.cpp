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
    if (!XRefCommandUtils::SingleItem(this, &item)) return;
    InterfacePtr<IXRefCrossRef> crossRef(item);
    if (!crossRef) return XRefCommandUtils::Fail(kObjectNotFoundError);
    crossRef->SetUpdateTime();
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetCrossRefUpdateTimeCmd, kXRefSetCrossRefUpdateTimeCmdImpl);
