// Sets a cross-reference's start and end marker.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"

namespace {
class XRefSetCrossRefTextMarkersCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef item;
    InterfacePtr<IXRefCrossRef> crossRef(XRefCommandUtils::QuerySingleItem<IXRefCrossRef>(this, &item));
    if (!crossRef) return;
    crossRef->SetStartMarker(XRefCommandUtils::GetRefData(this, IID_IXREFSTARTMARKERDATA).GetUID());
    crossRef->SetEndMarker(XRefCommandUtils::GetRefData(this, IID_IXREFENDMARKERDATA).GetUID());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetCrossRefTextMarkersCmd, kXRefSetCrossRefTextMarkersCmdImpl);
