// The char building block: one character given by its code.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"code", kXRefCDATA, nullptr},
};

class XRefCharElement : public XRefElement {
public:
  explicit XRefCharElement(IPMUnknown* boss) : XRefElement(boss, "char", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    // Among the 26 code points from U+0029, which are not the letters A to Z.
    WideString sample;
    sample.Append(UTF32TextChar(static_cast<uint32>(0x29 + XRefSampleNumber(0, 25))));
    XRefAppendRun(runs, sample);
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCharElement, kXRefCharElementImpl);
