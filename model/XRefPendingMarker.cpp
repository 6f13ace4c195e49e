// The pending-marker slot, on stories. Persistent, so that undoing a paste
// restores the slot together with the markers it made.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefPendingMarker.h"

namespace {
class XRefPendingMarker : public CPMUnknown<IXRefPendingMarker> {
public:
  using CPMUnknown::CPMUnknown;

  UID GetPendingUID() const override { return pending_; }
  UIDRef GetPendingRef() const override {
    return pending_ == kInvalidUID ? UIDRef() : UIDRef(::GetDataBase(this), pending_);
  }
  // Markers of another database cannot wait here: they could not be wired.
  void SetPending(const UIDRef& marker) override {
    const UID uid = marker.GetDataBase() == ::GetDataBase(this) ? marker.GetUID() : kInvalidUID;
    if (uid == pending_) return;
    PreDirty();
    pending_ = uid;
  }
  void ClearPending() override { SetPending(UIDRef()); }

  void ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(pending_); }

private:
  UID pending_ = kInvalidUID;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefPendingMarker, kXRefPendingMarkerImpl);
