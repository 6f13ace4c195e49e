// The chapnum building block: the chapter number of the source document.
#include "format/XRefElement.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefChapnumElement : public XRefElement {
public:
  explicit XRefChapnumElement(IPMUnknown* boss) : XRefElement(boss, "chapnum", kEmpty) {}
};
}  // namespace

CREATE_PMINTERFACE(XRefChapnumElement, kXRefChapnumElementImpl);
