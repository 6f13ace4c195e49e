// Tells a text marker its cross-reference and its partner marker.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRefTextMarker.h"

namespace {
class XRefSetupCrossRefTextMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef item;
    InterfacePtr<IXRefCrossRefTextMarker> marker(XRefCommandUtils::QuerySingleItem<IXRefCrossRefTextMarker>(this, &item));
    if (!marker) return;
    marker->SetMarkerCrossRef(XRefCommandUtils::GetRefData(this, IID_IXREFCROSSREFDATA).GetUID());
    marker->SetPartnerMarker(XRefCommandUtils::GetRefData(this, IID_IXREFPARTNERMARKERDATA).GetUID());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetupCrossRefTextMarkerCmd, kXRefSetupCrossRefTextMarkerCmdImpl);
