#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRefTextMarker.h"

namespace {
class XRefCrossRefTextMarker : public CPMUnknown<IXRefCrossRefTextMarker> {
public:
  using CPMUnknown::CPMUnknown;

  void SetMarkerCrossRef(UID crossRef) override {
    if (crossRef == crossRef_) return;
    PreDirty();
    crossRef_ = crossRef;
  }
  UID GetMarkerCrossRef() const override { return crossRef_; }
  void SetPartnerMarker(UID partner) override {
    if (partner == partner_) return;
    PreDirty();
    partner_ = partner;
  }
  UID GetPartnerMarker() const override { return partner_; }

  void ReadWrite(IPMStream* s, ImplementationID) {
    s->XferReference(crossRef_);
    s->XferReference(partner_);
  }

private:
  UID crossRef_ = kInvalidUID;
  UID partner_ = kInvalidUID;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefCrossRefTextMarker, kXRefCrossRefTextMarkerImpl);
