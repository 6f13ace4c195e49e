// Sets a source marker's name. Item list: the marker.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarker.h"

namespace {
class XRefSetupSourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef ref;
    InterfacePtr<IXRefSourceMarker> marker(XRefCommandUtils::QuerySingleItem<IXRefSourceMarker>(this, &ref));
    if (!marker) return;
    InterfacePtr<IStringData> name(this, IID_ISTRINGDATA);
    if (!name) return XRefCommandUtils::Fail(kInvalidParameterError);
    marker->SetMarkerName(name->Get());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetupSourceMarkerCmd, kXRefSetupSourceMarkerCmdImpl);
