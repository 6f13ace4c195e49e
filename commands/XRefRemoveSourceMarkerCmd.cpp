// Takes a source marker out of its document's list; the marker object may
// already be gone. Item list: the marker.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarkerList.h"

namespace {
class XRefRemoveSourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef marker;
    if (!XRefCommandUtils::SingleItem(this, &marker)) return;
    InterfacePtr<IXRefSourceMarkerList> list(XRefCommandUtils::QueryMarkerList(marker.GetDataBase()));
    if (!list) return XRefCommandUtils::Fail(kObjectNotFoundError);
    list->RemoveMarker(marker.GetUID());
  }

  void DoNotify() override {
    XRefCommandUtils::NotifyDocument(this, IID_IXREFSOURCEMARKER);
    XRefCommandUtils::NotifyApplication(this, IID_IXREFSOURCEMARKER);
  }

  PMString* CreateName() override { return new PMString(); }
};
}  // namespace

CREATE_PMINTERFACE(XRefRemoveSourceMarkerCmd, kXRefRemoveSourceMarkerCmdImpl);
