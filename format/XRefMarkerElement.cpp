// The marker building block: the name of the source marker; its content follows the name.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefMarkerElement : public XRefElement {
public:
  explicit XRefMarkerElement(IPMUnknown* boss) : XRefElement(boss, "marker", kAny) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendRun(runs, "Source Marker");
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefMarkerElement, kXRefMarkerElementImpl);
