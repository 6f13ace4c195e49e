// Announce the conversion provider, the phase-2 step and the check of loaded
// documents to the host.
#include "engine/XRefEngineID.h"
#include "host/CServiceProvider.h"
#include "host/IConversionProvider.h"
#include "host/IDocumentCheck.h"
#include "integration/ImplementationRecord.h"

namespace {
template <uint32 Service>
class XRefLoadingServiceProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return ServiceID{Service}; }
};
using XRefConversionProviderService = XRefLoadingServiceProvider<IdValue(kConversionProviderService)>;
using XRefPhase2ConversionService = XRefLoadingServiceProvider<IdValue(kPhase2ConversionSignalService)>;
using XRefDocumentCheckService = XRefLoadingServiceProvider<IdValue(kDocumentCheckService)>;
}  // namespace

CREATE_PMINTERFACE(XRefConversionProviderService, kXRefConversionProviderServiceImpl);
CREATE_PMINTERFACE(XRefPhase2ConversionService, kXRefPhase2ConversionServiceImpl);
CREATE_PMINTERFACE(XRefDocumentCheckService, kXRefDocumentCheckServiceImpl);
