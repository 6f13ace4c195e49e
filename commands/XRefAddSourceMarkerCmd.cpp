// Adds a source marker to its document's list, in text order. Item list:
// the marker (the first item is used).
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarkerList.h"

namespace {
class XRefAddSourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    const UIDList* items = GetItemList();
    if (items->IsEmpty()) return XRefCommandUtils::Fail(kInvalidParameterError);
    InterfacePtr<IXRefSourceMarkerList> list(XRefCommandUtils::QueryMarkerList(items->GetDataBase()));
    if (!list) return XRefCommandUtils::Fail(kObjectNotFoundError);
    list->AddMarker(items->At(0), -1);
  }

  void DoNotify() override { XRefCommandUtils::NotifyDocument(this, IID_IXREFSOURCEMARKER); }
  PMString* CreateName() override { return new PMString(); }
};
}  // namespace

CREATE_PMINTERFACE(XRefAddSourceMarkerCmd, kXRefAddSourceMarkerCmdImpl);
