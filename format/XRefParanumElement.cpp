// The paranum building block: the list number of the paragraph at (or near) the source.
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "format/XRefParagraphChoice.h"
#include "format/XRefSamples.h"
#include "host/ITextAttributes.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/UnicodeClass.h"
#include "host/UtilsBoss.h"
#include "model/IXRefTextUtils.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"precedingpstyle", kXRefCDATA, nullptr},
    {"followingpstyle", kXRefCDATA, nullptr},
    {"numberonly", kXRefBool, "false"},
    {"includetrailingws", kXRefBool, "false"},
    {"includetrailingpunct", kXRefBool, "true"},
    {"noerror", kXRefBool, "false"},
};

// The scalar value that ends the text, and where it starts.
UTF32TextChar LastScalar(const std::u16string& text, size_t* start) {
  size_t last = text.size() - 1;
  if (last > 0 && text[last] >= 0xDC00 && text[last] <= 0xDFFF && text[last - 1] >= 0xD800 && text[last - 1] <= 0xDBFF)
    --last;
  *start = last;
  size_t i = last;
  return Utf::NextScalar(text, i);
}

void StripTrailing(std::u16string& text, bool16 (*is)(UTF32TextChar)) {
  while (!text.empty()) {
    size_t start = 0;
    if (!is(LastScalar(text, &start))) return;
    text.erase(start);
  }
}

class XRefParanumElement : public XRefElement {
public:
  explicit XRefParanumElement(IPMUnknown* boss) : XRefElement(boss, "paranum", kEmpty, kAttributes) {}
  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState* state,
                    IXRefTextLoc* source, IXRefTextLoc*) override {
    if (!attributes || !source || !source->IsValid()) return kXRefMissingInputError;
    InterfacePtr<ITextModel> model(source->QueryTextModel());
    if (!model) return kXRefMissingInputError;
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefTextUtils> text(UtilsBoss::QueryUtils<IXRefTextUtils>());
    InterfacePtr<ITextAttributes> paragraphs(model.get(), IID_ITEXTATTRIBUTES);
    if (!utils || !text || !paragraphs) return kFailure;

    TextIndex at = source->GetIndex();
    XRefFindStyledParagraph(PMString("paranum"), utils.get(), attributes, state, source, &at);
    auto flag = [&](const char* name, bool fallback) {
      return utils->GetBoolAttribute(attributes, PMString(name), fallback) != 0;
    };
    if (paragraphs->GetNumberingKind(at) != kNumberedList) {
      if (!flag("noerror", false)) XRefRecordElementError(state, "paranum", kXRefNotNumberedError);
      return kSuccess;
    }
    std::u16string number = text->GetNumberingText(model.get(), at, flag("numberonly", false)).Units();
    if (!flag("includetrailingws", false)) StripTrailing(number, UnicodeClass::IsWhiteSpace);
    if (!flag("includetrailingpunct", false)) StripTrailing(number, UnicodeClass::IsPunctuation);
    runs.push_back({WideString(number), nullptr});
    return kSuccess;
  }
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 5), ".");
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefParanumElement, kXRefParanumElementImpl);
