#pragma once
// A paste target's slot for a pasted text marker whose partner has not been
// pasted yet: at most one marker.
#include "host/IPMUnknown.h"
#include "host/UIDRef.h"
#include "model/XRefModelID.h"

class IXRefPendingMarker : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFPENDINGMARKER;

  virtual UID GetPendingUID() const = 0;
  virtual UIDRef GetPendingRef() const = 0;
  virtual void SetPending(const UIDRef& marker) = 0;
  virtual void ClearPending() = 0;
};
