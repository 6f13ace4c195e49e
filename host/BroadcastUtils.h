#pragma once
// The host's broadcast of model changes to a document's and to the
// application's observers (ISubject).
#include "IDataBase.h"

namespace BroadcastUtils {
// Broadcasts on the subject of the document whose database this is; nothing
// when there is none.
void DocumentModelChange(IDataBase* db, ClassID change, PMIID protocol, void* changedBy);
// Sends the change to the application's subject (the session's).
void ApplicationModelChange(ClassID change, PMIID protocol, void* changedBy);
}  // namespace BroadcastUtils
