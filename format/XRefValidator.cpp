// Tells whether a format converts and parses against the assembled DTD.
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "host/CPMUnknown.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefValidator : public CPMUnknown<IXRefValidator> {
public:
  using CPMUnknown::CPMUnknown;

  ErrorCode Validate(PMString format, bool16 keepError) override {
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (!utils) return kFailure;
    if (utils->ConvertMetacharacters(format, nullptr)) return kFailure;
    // This object's content handler receives (and ignores) the events.
    return utils->ParseFormat(format, this, keepError);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefValidator, kXRefValidatorImpl);
