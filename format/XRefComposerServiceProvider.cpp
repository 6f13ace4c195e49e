#include "format/XRefFormatID.h"
#include "format/XRefFormatServiceProvider.h"
#include "integration/ImplementationRecord.h"

typedef XRefFormatServiceProvider<IdValue(kXRefComposerService)> XRefComposerServiceProvider;
CREATE_PMINTERFACE(XRefComposerServiceProvider, kXRefComposerServiceProviderImpl);
