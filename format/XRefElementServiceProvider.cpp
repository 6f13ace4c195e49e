// Announces a building block under the element service; every element class
// carries it.
#include "format/XRefFormatID.h"
#include "format/XRefFormatServiceProvider.h"
#include "integration/ImplementationRecord.h"

typedef XRefFormatServiceProvider<IdValue(kXRefElementService)> XRefElementServiceProvider;
CREATE_PMINTERFACE(XRefElementServiceProvider, kXRefElementServiceProviderImpl);
