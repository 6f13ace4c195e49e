#pragma once
// Reports to a document's update scheduler. A document without one (none is
// installed yet, or the database is no document) skips them.
#include "host/IDataBase.h"

namespace XRefSchedulerReports {
void MarkChanged(IDataBase* db, UID uid);
void MarkAllCrossRefs(IDataBase* db, bool16 externalOnly);
}  // namespace XRefSchedulerReports
