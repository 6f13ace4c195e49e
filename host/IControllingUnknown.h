#pragma once
// The object itself, as its implementations see it: its class, its database
// and UID (none for objects outside a database), and the dirty protocol by
// which a persistent implementation announces a change before making it.
#include "IPMUnknown.h"
#include "UIDRef.h"

class IControllingUnknown : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IPMUnknown::kControllingIID;

  virtual ClassID GetClass() const = 0;
  virtual IDataBase* GetDataBase() const = 0;
  virtual UID GetUID() const = 0;
  // Records the implementation's state for undo (once per undo step) and marks
  // the database changed.
  virtual void PreDirty(const IPMUnknown* impl, bool16 allowModification) = 0;
};

// The object-level questions any interface can answer through its object.
IDataBase* GetDataBase(const IPMUnknown* obj);
UID GetUID(const IPMUnknown* obj);
UIDRef GetUIDRef(const IPMUnknown* obj);
ClassID GetClass(const IPMUnknown* obj);
