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
  // The composer writes the content and applies cstyle, format and lang to
  // it; the element itself gives nothing and needs nothing.
  ErrorCode Compose(std::vector<ComposedRun>&, ISAXAttributes*, IXRefComposerState*, IXRefTextLoc*,
                    IXRefTextLoc*) override {
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSpanElement, kXRefSpanElementImpl);
