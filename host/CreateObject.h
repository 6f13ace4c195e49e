#pragma once
#include "IPMUnknown.h"

// A new object of the class outside any database, answered by the interface
// (with a reference the caller releases); null when either is unknown.
IPMUnknown* CreateObject(ClassID cls, PMIID iid);

template <class T>
T* CreateObject(ClassID cls) { return static_cast<T*>(CreateObject(cls, T::kDefaultIID)); }
