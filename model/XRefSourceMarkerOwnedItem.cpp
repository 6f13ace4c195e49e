// The source marker as an owned item: it deletes itself through the
// plug-in's deletion command, travels with copied text through its memento,
// and reports moves and layout changes of its anchor to the scheduler.
#include "commands/XRefCommandID.h"
#include "engine/XRefSchedulerReports.h"
#include "host/COwnedItem.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/ILineInfo.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefModelID.h"

namespace {
class XRefSourceMarkerOwnedItem : public COwnedItem {
public:
  using COwnedItem::COwnedItem;

  ICommand* QueryDeleteCommand() override {
    ICommand* cmd = CmdUtils::CreateCommand(kXRefDeleteSourceMarkerCmdBoss);
    if (cmd) cmd->SetItemList(UIDList(::GetUIDRef(this)));
    return cmd;
  }

  IOwnedItemMemento* CreateMemento() override {
    InterfacePtr<IOwnedItemMemento> memento(
        static_cast<IOwnedItemMemento*>(CreateObject(kXRefSourceMarkerMementoBoss, IID_IOWNEDITEMMEMENTO)));
    InterfacePtr<IUIDData> marker(memento.get(), IID_IUIDDATA);
    if (!marker) return nullptr;
    marker->Set(::GetUIDRef(this));
    return memento.forget();
  }

  bool16 IsCopyable() override { return true; }
  bool16 HearsLayout() override { return true; }
  void Moved() override { ReportChanged(); }
  void Overset() override { ReportChanged(); }

  void ComposedIntoLine(IPMUnknown* line) override {
    InterfacePtr<IWaxLine> wax(line, IID_IWAXLINE);
    if (wax && !wax->HasAdornment(kXRefMarkerAdornmentBoss))
      wax->AddAdornment(kXRefMarkerAdornmentBoss, kXRefMarkerAdornmentPriority);
    ReportChanged();
  }

  void ReadWrite(IPMStream* s, ImplementationID id) { COwnedItem::ReadWrite(s, id); }

private:
  void ReportChanged() { XRefSchedulerReports::MarkChanged(::GetDataBase(this), ::GetUID(this)); }
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefSourceMarkerOwnedItem, kXRefSourceMarkerOwnedItemImpl);
