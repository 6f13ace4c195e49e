#pragma once
// The root of every host and plug-in interface. An object (a "boss") aggregates
// implementations, each under one interface identifier; QueryInterface on any
// of them finds its siblings, and reference counts are the object's own.
#include "IDTypes.h"

class IPMUnknown {
public:
  // The object's own controlling interface answers this identifier.
  static constexpr PMIID kControllingIID{1};

  virtual IPMUnknown* QueryInterface(PMIID iid) const = 0;
  virtual void AddRef() const = 0;
  virtual void Release() const = 0;

protected:
  virtual ~IPMUnknown() = default;
};
