// The fnnum building block: the number of the footnote that holds the source.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"from", "(reftext | footnote)", "footnote"},
};

class XRefFnnumElement : public XRefElement {
public:
  explicit XRefFnnumElement(IPMUnknown* boss) : XRefElement(boss, "fnnum", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 50));
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefFnnumElement, kXRefFnnumElementImpl);
