// The paratext building block: the text of the paragraph at (or near) the source.
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"precedingpstyle", kXRefCDATA, nullptr},
    {"followingpstyle", kXRefCDATA, nullptr},
    {"filterbycstyle", kXRefCDATA, nullptr},
    {"includesoftcr", kXRefBool, "false"},
    {"includetab", kXRefBool, "false"},
    {"retainfontfamily", kXRefBool, "false"},
    {"retainfontstyle", kXRefBool, "false"},
    {"retainposition", kXRefBool, "false"},
    {"retainunderline", kXRefBool, "false"},
    {"delimiter", kXRefCDATA, nullptr},
    {"includedelimiter", kXRefBool, "false"},
    {"includetrailingws", kXRefBool, "false"},
    {"includexref", kXRefBool, "false"},
    // Declared so that formats using them stay valid; composition ignores them.
    {"reversedelimiter", kXRefCDATA, nullptr},
    {"remove", kXRefCDATA, nullptr},
    {"replace", kXRefCDATA, nullptr},
    {"cutfirst", kXRefCDATA, nullptr},
    {"cutlast", kXRefCDATA, nullptr},
};

class XRefParatextElement : public XRefElement {
public:
  explicit XRefParatextElement(IPMUnknown* boss) : XRefElement(boss, "paratext", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendRun(runs, "Sample paragraph text");
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefParatextElement, kXRefParatextElementImpl);
