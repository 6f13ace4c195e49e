#pragma once
// A database of objects identified by UID: a document, or the application's
// workspace. Objects are instantiated on demand; a deleted object has no class
// and instantiates to null.
#include "IPMUnknown.h"
#include "UID.h"
#include <string>
#include <vector>

class IDataBase {
public:
  virtual ~IDataBase() = default;

  virtual UID NewUID(ClassID cls) = 0;
  virtual ErrorCode DeleteUID(UID uid) = 0;
  virtual ClassID GetClass(UID uid) const = 0;
  virtual bool16 IsValidUID(UID uid) const = 0;
  virtual UID GetRootUID() const = 0;
  // Adds a reference to the returned interface, or answers null.
  virtual IPMUnknown* Instantiate(UID uid, PMIID iid) = 0;
  virtual std::string GetName() const = 0;
  // The UIDs of every object of the class, in increasing order.
  virtual std::vector<UID> GetUIDsOfClass(ClassID cls) const = 0;
};
