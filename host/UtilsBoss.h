#pragma once
// The host's utilities object: one object of class kUtilsBoss to which
// plug-ins add their stateless utility interfaces. It is made afresh when
// plug-ins register, so it always carries what is registered.
#include "IPMUnknown.h"

class UtilsBoss {
public:
  // The utility interface, with a reference the caller releases; null when no
  // plug-in provides it.
  static IPMUnknown* QueryUtils(PMIID iid);

  template <class T>
  static T* QueryUtils() { return static_cast<T*>(QueryUtils(T::kDefaultIID)); }
};
