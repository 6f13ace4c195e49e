// The char building block: one character given by its code.
#include "format/IXRefParsingUtils.h"
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"code", kXRefCDATA, nullptr},
};

// A Unicode scalar value: what can stand as one character of text.
bool IsCharacter(int32 code) { return code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF); }

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

  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState*,
                    IXRefTextLoc* source, IXRefTextLoc* destination) override {
    if (!attributes || !source || !destination) return kXRefMissingInputError;
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (!utils) return kXRefMissingInputError;
    // Decimal, full 32 bits. No code, 0, or a value that names no character
    // (negative, a lone surrogate, beyond U+10FFFF) gives an empty run
    // rather than a replacement character.
    const int32 code = utils->GetIntAttribute(attributes, PMString("code"), 0);
    WideString text;
    if (IsCharacter(code)) text.Append(UTF32TextChar(static_cast<uint32>(code)));
    XRefAppendRun(runs, text);
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCharElement, kXRefCharElementImpl);
