#pragma once
// What an object asks of the database that holds it: to hear, before an
// implementation changes, which one, so the change can be undone. Declared
// here so the object model needs nothing from the database layer above it.
#include "headless/objects/UndoEdit.h"
#include "host/IDataBase.h"
#include <memory>

class ObjectStore : public IDataBase {
public:
  virtual void RecordPreDirty(UID uid, ImplementationID impl) = 0;
  // As RecordPreDirty, for a change the implementation records as an edit:
  // true when the open step wants that edit, given next to RecordEdit.
  virtual bool PreDirtyEdit(UID uid, ImplementationID impl) = 0;
  virtual void RecordEdit(UID uid, ImplementationID impl, std::unique_ptr<UndoEdit> edit) = 0;
};
