// A cross-reference's being-updated flag: set while its own Update changes
// its text, so that its start marker does not report that change. Never
// stored and never undone.
#include "host/CPMUnknown.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefModelID.h"

namespace {
class XRefBeingUpdatedFlag : public CPMUnknown<IBoolData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(bool16 v) override { flag_ = v ? 1 : 0; }
  bool16 Get() const override { return flag_; }

private:
  bool16 flag_ = 0;
};
}  // namespace

CREATE_PMINTERFACE(XRefBeingUpdatedFlag, kXRefBeingUpdatedFlagImpl);
