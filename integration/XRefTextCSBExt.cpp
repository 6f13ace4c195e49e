// The text part's selection extension.
#include "host/SelectionExt.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefTextCSB.h"

using XRefTextCSBExt = SelectionExt<XRefTextCSB>;
CREATE_PMINTERFACE(XRefTextCSBExt, kXRefTextCSBExtImpl);
