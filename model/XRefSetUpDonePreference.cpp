// A workspace's set-up-done preference, stored with the workspace. Its own
// implementation, because a workspace's stored records are told apart by
// implementation and the live-update preference already uses the host's.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefModelID.h"

namespace {
class XRefSetUpDonePreference : public CPMUnknown<IBoolData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(bool16 v) override {
    const bool16 value = v ? 1 : 0;
    if (value == flag_) return;
    PreDirty();
    flag_ = value;
  }
  bool16 Get() const override { return flag_; }

  void ReadWrite(IPMStream* s, ImplementationID) { s->XferBool(flag_); }

private:
  bool16 flag_ = 0;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefSetUpDonePreference, kXRefSetUpDonePreferenceImpl);
