// The chapnum building block: the chapter number of the source document.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefChapnumElement : public XRefElement {
public:
  explicit XRefChapnumElement(IPMUnknown* boss) : XRefElement(boss, "chapnum", kEmpty) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 5));
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefChapnumElement, kXRefChapnumElementImpl);
