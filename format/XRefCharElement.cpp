// The char building block: one character given by its code.
#include "format/XRefElement.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"code", kXRefCDATA, nullptr},
};

class XRefCharElement : public XRefElement {
public:
  explicit XRefCharElement(IPMUnknown* boss) : XRefElement(boss, "char", kEmpty, kAttributes) {}
};
}  // namespace

CREATE_PMINTERFACE(XRefCharElement, kXRefCharElementImpl);
