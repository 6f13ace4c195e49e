// The span building block: groups text and elements under a style, formatting or language condition.
#include "format/XRefElement.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefSpanElement : public XRefElement {
public:
  explicit XRefSpanElement(IPMUnknown* boss) : XRefElement(boss, "span", kAny) {}
};
}  // namespace

CREATE_PMINTERFACE(XRefSpanElement, kXRefSpanElementImpl);
