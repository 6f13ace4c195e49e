// The filename building block: the file name (or full path) of the source document.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "format/IXRefParsingUtils.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"fullpath", kXRefBool, "false"},
    {"extension", kXRefBool, "true"},
};

class XRefFilenameElement : public XRefElement {
public:
  explicit XRefFilenameElement(IPMUnknown* boss) : XRefElement(boss, "filename", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes* attributes) override {
    // Only fullpath matters for the sample; the extension is always shown.
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    bool16 fullPath = utils && utils->GetBoolAttribute(attributes, PMString("fullpath"), false);
    XRefAppendRun(runs, fullPath ? "C:\\Documents\\Tessary\\sample.indd" : "sample.indd");
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefFilenameElement, kXRefFilenameElementImpl);
