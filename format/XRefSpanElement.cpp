// The span building block: groups text and elements under a style, formatting or language condition.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefSpanElement : public XRefElement {
public:
  explicit XRefSpanElement(IPMUnknown* boss) : XRefElement(boss, "span", kAny) {}
  ErrorCode AddPreview(std::vector<ComposedRun>&, ISAXAttributes*) override {
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSpanElement, kXRefSpanElementImpl);
