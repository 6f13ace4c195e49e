#pragma once
// A cross-reference's start or end text marker (which one follows from its
// class): the cross-reference it brackets and the other marker of the pair.
#include "host/IPMUnknown.h"
#include "host/UID.h"
#include "model/XRefModelID.h"

class IXRefCrossRefTextMarker : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFCROSSREFTEXTMARKER;

  virtual void SetMarkerCrossRef(UID crossRef) = 0;
  virtual UID GetMarkerCrossRef() const = 0;
  virtual void SetPartnerMarker(UID partner) = 0;
  virtual UID GetPartnerMarker() const = 0;
};
