// The start marker as an owned item: deleting its character deletes its
// cross-reference first; moves and layout changes of its anchor are reported
// as changes of the cross-reference.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/COwnedItem.h"
#include "host/InterfacePtr.h"
#include "host/TextIDs.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefTextMarkerReports.h"

namespace {
class XRefCrossRefStartMarkerOwnedItem : public COwnedItem {
public:
  using COwnedItem::COwnedItem;

  ICommand* QueryDeleteCommand() override {
    InterfacePtr<IXRefCrossRefTextMarker> data(this, IID_IXREFCROSSREFTEXTMARKER);
    if (!data) return nullptr;
    IDataBase* db = ::GetDataBase(this);
    // A cross-reference already gone (deleted with its end marker's range,
    // say) leaves nothing to delete but the marker itself.
    if (InterfacePtr<IXRefCrossRef>(db, data->GetMarkerCrossRef())) {
      InterfacePtr<ICommand> del(
          XRefCommandUtils::CreateCommand(kXRefDeleteCrossRefCmdBoss, UIDList(db, data->GetMarkerCrossRef())));
      if (!XRefCommandUtils::Process(del.get())) return nullptr;
    }
    return XRefCommandUtils::CreateCommand(kDeleteOwnedItemCmdBoss, UIDList(::GetUIDRef(this)));
  }

  IOwnedItemMemento* CreateMemento() override { return XRefTextMarkerReports::CreateMemento(this); }
  bool16 IsCopyable() override { return true; }
  bool16 HearsLayout() override { return true; }
  void Moved() override { XRefTextMarkerReports::ReportCrossRefChanged(this); }
  void Overset() override { XRefTextMarkerReports::ReportCrossRefChanged(this); }
  void ComposedIntoLine(IPMUnknown* line) override {
    XRefTextMarkerReports::Adorn(line);
    XRefTextMarkerReports::ReportCrossRefChanged(this);
  }

  void ReadWrite(IPMStream* s, ImplementationID id) { COwnedItem::ReadWrite(s, id); }
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefCrossRefStartMarkerOwnedItem, kXRefCrossRefStartMarkerOwnedItemImpl);
