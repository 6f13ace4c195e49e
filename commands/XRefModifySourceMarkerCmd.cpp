// Renames a source marker and queues the document's cross-references for
// update; with the update-references flag, the cross-references that named
// the old name are renamed too. Item list: the marker.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "engine/XRefSchedulerReports.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefSourceLookup.h"

namespace {
class XRefModifySourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef ref;
    InterfacePtr<IXRefSourceMarker> marker(XRefCommandUtils::QuerySingleItem<IXRefSourceMarker>(this, &ref));
    if (!marker) return;
    const PMString oldName = marker->GetMarkerName();
    InterfacePtr<IStringData> name(this, IID_ISTRINGDATA);
    if (!name) return XRefCommandUtils::Fail(kInvalidParameterError);
    marker->SetMarkerName(name->Get());
    IDataBase* db = ref.GetDataBase();
    InterfacePtr<IXRefSourceMarkerList> list(XRefCommandUtils::QueryMarkerList(db));
    if (list) list->InvalidateNameIndex();
    InterfacePtr<IBoolData> updateReferences(this, IID_IBOOLDATA);
    if (!updateReferences) return XRefCommandUtils::Fail(kInvalidParameterError);
    if (updateReferences->Get() && !RenameReferences(db, oldName, name->Get())) return;
    XRefSchedulerReports::MarkAllCrossRefs(db, false);
  }

  void DoNotify() override { XRefCommandUtils::NotifyDocument(this, IID_IXREFSOURCEMARKER); }
  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefModifySourceMarkerCmdKey"); }

private:
  // The cross-references of this document that named the marker follow it,
  // also those that name it through this document's own file; those whose
  // source lies in another document name another marker and stay. False
  // when the document has no cross-reference list.
  static bool RenameReferences(IDataBase* db, const PMString& oldName, const PMString& newName) {
    InterfacePtr<IXRefCrossRefList> list(XRefCommandUtils::QueryCrossRefList(db));
    if (!list) return false;
    const UIDList named = list->GetCrossRefsBySourceMarker(oldName);
    for (int32 i = 0; i < named.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(named.GetRef(i));
      if (crossRef && InThisDocument(crossRef.get(), db)) crossRef->SetSourceMarkerName(newName);
    }
    list->InvalidateIndex();
    return true;
  }

  static bool InThisDocument(IXRefCrossRef* crossRef, IDataBase* db) {
    if (!crossRef->IsExternal()) return true;
    return XRefSourceLookup::FindOpenDocument(crossRef->GetSourceDocument(), true).GetDataBase() == db;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefModifySourceMarkerCmd, kXRefModifySourceMarkerCmdImpl);
