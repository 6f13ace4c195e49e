// The fnnum building block: the number of the footnote that holds the source.
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "host/IFootnote.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"from", "(reftext | footnote)", "footnote"},
};

class XRefFnnumElement : public XRefElement {
public:
  explicit XRefFnnumElement(IPMUnknown* boss) : XRefElement(boss, "fnnum", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 50));
    return kSuccess;
  }

  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState* state,
                    IXRefTextLoc* source, IXRefTextLoc*) override {
    if (!attributes || !source) return kXRefMissingInputError;
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IFootnoteUtils> footnotes(UtilsBoss::QueryUtils<IFootnoteUtils>());
    if (!utils || !footnotes) return kXRefMissingInputError;

    // The host clips the position to the story.
    const UIDRef story = source->GetStoryRef();
    const UID footnoteUID = footnotes->GetFootnoteAt(story, source->GetIndex());
    InterfacePtr<IFootnote> footnote(story.GetDataBase(), footnoteUID, IID_IFOOTNOTE);
    if (!footnote) {
      if (state) state->AddElementError(PMString("fnnum"), kXRefNotInFootnoteError);
      return kSuccess;
    }
    // The number as the footnote shows it, or as its reference in the main
    // text does; the two differ by their prefixes and suffixes.
    const bool inFootnote =
        utils->GetStringAttribute(attributes, PMString("from"), PMString("footnote")) != PMString("reftext");
    XRefAppendRun(runs, footnote->GetNumberText(inFootnote).GetWideString());
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefFnnumElement, kXRefFnnumElementImpl);
