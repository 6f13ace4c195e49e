#include "format/XRefFormatID.h"
#include "format/XRefFormatServiceProvider.h"
#include "integration/ImplementationRecord.h"

typedef XRefFormatServiceProvider<IdValue(kXRefValidatorService)> XRefValidatorServiceProvider;
CREATE_PMINTERFACE(XRefValidatorServiceProvider, kXRefValidatorServiceProviderImpl);
