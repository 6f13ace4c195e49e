// Announces the start-up/shutdown service.
#include "engine/XRefEngineID.h"
#include "host/CServiceProvider.h"
#include "host/HostIDs.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefStartupShutdownServiceProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return kStartupShutdownService; }
};
}  // namespace

CREATE_PMINTERFACE(XRefStartupShutdownServiceProvider, kXRefStartupShutdownServiceProviderImpl);
