#pragma once
// What an object asks of the database that holds it: to hear, before an
// implementation changes, which one, so the change can be undone. Declared
// here so the object model needs nothing from the database layer above it.
#include "host/IDataBase.h"

class ObjectStore : public IDataBase {
public:
  virtual void RecordPreDirty(UID uid, ImplementationID impl) = 0;
};
