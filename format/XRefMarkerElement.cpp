// The marker building block: the name of the source marker; its content follows the name.
#include "format/XRefElement.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefMarkerElement : public XRefElement {
public:
  explicit XRefMarkerElement(IPMUnknown* boss) : XRefElement(boss, "marker", kAny) {}
};
}  // namespace

CREATE_PMINTERFACE(XRefMarkerElement, kXRefMarkerElementImpl);
