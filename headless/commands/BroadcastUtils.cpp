#include "host/BroadcastUtils.h"
#include "host/ISession.h"
#include "host/ISubject.h"
#include "host/InterfacePtr.h"

void BroadcastUtils::DocumentModelChange(IDataBase* db, ClassID change, PMIID protocol, void* changedBy) {
  InterfacePtr<ISubject> subject(db, db ? db->GetRootUID() : kInvalidUID, IID_ISUBJECT);
  if (subject) subject->ModelChange(change, protocol, changedBy);
}

void BroadcastUtils::ApplicationModelChange(ClassID change, PMIID protocol, void* changedBy) {
  ISession* session = GetExecutionContextSession();
  InterfacePtr<ISubject> subject(session, IID_ISUBJECT);
  if (subject) subject->ModelChange(change, protocol, changedBy);
}
