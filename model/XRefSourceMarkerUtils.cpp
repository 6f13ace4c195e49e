// Unique source-marker names within a document.
#include "host/CPMUnknown.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/IXRefSourceMarkerUtils.h"

namespace {
class XRefSourceMarkerUtils : public CPMUnknown<IXRefSourceMarkerUtils> {
public:
  using CPMUnknown::CPMUnknown;

  PMString GetUniqueMarkerName(const PMString& base, IDataBase* db) override {
    InterfacePtr<IXRefSourceMarkerList> list(db, db ? db->GetRootUID() : kInvalidUID);
    if (!list) return base;
    PMString candidate = base;
    for (int32 n = 2; list->HasMarker(candidate); ++n) {
      candidate = base;
      candidate.Append(" (");
      candidate.AppendNumber(n);
      candidate.Append(")");
    }
    return candidate;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSourceMarkerUtils, kXRefSourceMarkerUtilsImpl);
