// Announce the conversion provider and the phase-2 step to the host.
#include "engine/XRefEngineID.h"
#include "host/CServiceProvider.h"
#include "host/IConversionProvider.h"
#include "integration/ImplementationRecord.h"

namespace {
template <uint32 Service>
class XRefConversionServiceProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return ServiceID{Service}; }
};
using XRefConversionProviderService = XRefConversionServiceProvider<IdValue(kConversionProviderService)>;
using XRefPhase2ConversionService = XRefConversionServiceProvider<IdValue(kPhase2ConversionSignalService)>;
}  // namespace

CREATE_PMINTERFACE(XRefConversionProviderService, kXRefConversionProviderServiceImpl);
CREATE_PMINTERFACE(XRefPhase2ConversionService, kXRefPhase2ConversionServiceImpl);
