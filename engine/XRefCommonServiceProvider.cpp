// Announces the document signals the responder is registered for.
#include "engine/XRefEngineID.h"
#include "host/CServiceProvider.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefCommonServiceProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return ServiceID{3600}; }
  bool16 HasMultipleIDs() const override { return true; }
  void GetServiceIDs(std::vector<ServiceID>& ids) override {
    ids.clear();
    for (uint32 id : {3600u, 3602u, 3604u, 3595u, 3596u, 3599u, 3609u, 3610u, 263u}) ids.push_back(ServiceID{id});
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCommonServiceProvider, kXRefCommonServiceProviderImpl);
