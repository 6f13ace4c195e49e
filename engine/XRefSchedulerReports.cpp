#include "engine/XRefSchedulerReports.h"
#include "engine/IXRefScheduler.h"
#include "host/InterfacePtr.h"

namespace {
InterfacePtr<IXRefScheduler> SchedulerOf(IDataBase* db) {
  return InterfacePtr<IXRefScheduler>(db, db ? db->GetRootUID() : kInvalidUID);
}
}  // namespace

void XRefSchedulerReports::MarkChanged(IDataBase* db, UID uid) {
  if (auto scheduler = SchedulerOf(db)) scheduler->MarkChanged(uid);
}

void XRefSchedulerReports::MarkAllCrossRefs(IDataBase* db, bool16 externalOnly) {
  if (auto scheduler = SchedulerOf(db)) scheduler->MarkAllCrossRefs(externalOnly);
}
