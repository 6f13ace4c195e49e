// The validator's content handler: parsing is the whole check, so every
// event is ignored.
#include "format/XRefFormatID.h"
#include "host/CSAXContentHandler.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefValidatorContentHandler : public CSAXContentHandler {
public:
  using CSAXContentHandler::CSAXContentHandler;
  ~XRefValidatorContentHandler() override = default;
};
}  // namespace

CREATE_PMINTERFACE(XRefValidatorContentHandler, kXRefValidatorContentHandlerImpl);
