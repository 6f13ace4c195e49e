#include "format/XRefFormatID.h"
#include "format/XRefFormatServiceProvider.h"
#include "integration/ImplementationRecord.h"

typedef XRefFormatServiceProvider<IdValue(kXRefPreviewerService)> XRefPreviewerServiceProvider;
CREATE_PMINTERFACE(XRefPreviewerServiceProvider, kXRefPreviewerServiceProviderImpl);
