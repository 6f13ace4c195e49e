// The filename building block: the file name (or full path) of the source document.
#include "format/XRefElement.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"fullpath", kXRefBool, "false"},
    {"extension", kXRefBool, "true"},
};

class XRefFilenameElement : public XRefElement {
public:
  explicit XRefFilenameElement(IPMUnknown* boss) : XRefElement(boss, "filename", kEmpty, kAttributes) {}
};
}  // namespace

CREATE_PMINTERFACE(XRefFilenameElement, kXRefFilenameElementImpl);
