// The pagenum building block: the page number of the source, or a word for
// its page as seen from the destination.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"precedingpstyle", kXRefCDATA, nullptr},
    {"followingpstyle", kXRefCDATA, nullptr},
    {"usesectionname", kXRefBool, "false"},
    {"forcearabic", kXRefBool, "false"},
    {"numbertype", "(default | actual | ordinal)", "default"},
    {"usepage", kXRefBool, "false"},
    {"pagetext", kXRefCDATA, "page #"},
    {"usethis", kXRefBool, "false"},
    {"thistext", kXRefCDATA, "this page"},
    {"useprev", kXRefBool, "false"},
    {"prevtext", kXRefCDATA, "previous page"},
    {"usenext", kXRefBool, "false"},
    {"nexttext", kXRefCDATA, "next page"},
    {"useopposite", kXRefBool, "false"},
    {"oppositetext", kXRefCDATA, "opposite page"},
};

class XRefPagenumElement : public XRefElement {
public:
  explicit XRefPagenumElement(IPMUnknown* boss) : XRefElement(boss, "pagenum", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 50));
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefPagenumElement, kXRefPagenumElementImpl);
