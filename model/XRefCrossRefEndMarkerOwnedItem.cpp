// The end marker as an owned item: it deletes only itself and reports
// nothing; its cross-reference answers to the start marker.
#include "commands/XRefCommandUtils.h"
#include "host/COwnedItem.h"
#include "host/TextIDs.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefModelID.h"
#include "model/XRefTextMarkerReports.h"

namespace {
class XRefCrossRefEndMarkerOwnedItem : public COwnedItem {
public:
  using COwnedItem::COwnedItem;

  ICommand* QueryDeleteCommand() override {
    return XRefCommandUtils::CreateCommand(kDeleteOwnedItemCmdBoss, UIDList(::GetUIDRef(this)));
  }
  IOwnedItemMemento* CreateMemento() override { return XRefTextMarkerReports::CreateMemento(this); }
  bool16 IsCopyable() override { return true; }
  bool16 HearsLayout() override { return true; }
  void ComposedIntoLine(IPMUnknown* line) override { XRefTextMarkerReports::Adorn(line); }

  void ReadWrite(IPMStream* s, ImplementationID id) { COwnedItem::ReadWrite(s, id); }
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefCrossRefEndMarkerOwnedItem, kXRefCrossRefEndMarkerOwnedItemImpl);
