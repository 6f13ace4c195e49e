// The paranum building block: the list number of the paragraph at (or near) the source.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"precedingpstyle", kXRefCDATA, nullptr},
    {"followingpstyle", kXRefCDATA, nullptr},
    {"numberonly", kXRefBool, "false"},
    {"includetrailingws", kXRefBool, "false"},
    {"includetrailingpunct", kXRefBool, "true"},
    {"noerror", kXRefBool, "false"},
};

class XRefParanumElement : public XRefElement {
public:
  explicit XRefParanumElement(IPMUnknown* boss) : XRefElement(boss, "paranum", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 5), ".");
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefParanumElement, kXRefParanumElementImpl);
