// The chapnum building block: the chapter number of the source document.
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "host/INumbering.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefChapnumElement : public XRefElement {
public:
  explicit XRefChapnumElement(IPMUnknown* boss) : XRefElement(boss, "chapnum", kEmpty) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 5));
    return kSuccess;
  }

  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState*,
                    IXRefTextLoc* source, IXRefTextLoc* destination) override {
    if (!attributes || !source || !destination) return kXRefMissingInputError;
    InterfacePtr<IChapterNumberService> chapters(UtilsBoss::QueryUtils<IChapterNumberService>());
    if (!chapters) return kXRefMissingInputError;
    XRefAppendRun(runs, chapters->GetChapterNumberString(source->GetDataBase()).GetWideString());
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefChapnumElement, kXRefChapnumElementImpl);
