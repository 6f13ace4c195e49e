// The plain text a format gives: composed from real locations, or from the
// building blocks' samples when there are none. The text is collected by the
// previewer's content handler in the object's string data.
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "format/IXRefTextLoc.h"
#include "host/CPMUnknown.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefPreviewer : public CPMUnknown<IXRefPreviewer> {
public:
  using CPMUnknown::CPMUnknown;

  ErrorCode Preview(PMString* text, PMString format, IDataBase* sourceDB, UID sourceStory, TextIndex sourceIndex,
                    IDataBase* destDB, UID destStory, TextIndex destIndex) override {
    InterfacePtr<IXRefTextLoc> source(this, IID_IXREFSOURCETEXTLOC);
    InterfacePtr<IXRefTextLoc> destination(this, IID_IXREFDESTTEXTLOC);
    if (!source || !destination) return kFailure;
    source->SetLocation(sourceDB, sourceStory, sourceIndex);
    destination->SetLocation(destDB, destStory, destIndex);
    return Run(text, format);
  }

  ErrorCode PreviewSample(PMString* text, PMString format) override {
    InterfacePtr<IXRefTextLoc> source(this, IID_IXREFSOURCETEXTLOC);
    InterfacePtr<IXRefTextLoc> destination(this, IID_IXREFDESTTEXTLOC);
    if (!source || !destination) return kFailure;
    source->SetLocation(nullptr, kInvalidUID, -1);
    destination->SetLocation(nullptr, kInvalidUID, -1);
    source->RecomposeThrough();
    destination->RecomposeThrough();
    return Run(text, format);
  }

private:
  // Page-dependent values reflect the layout as it stands: the stories are
  // not laid out first.
  ErrorCode Run(PMString* text, PMString format) {
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    // An unknown escape answers true.
    if (!utils || utils->ConvertMetacharacters(format)) return kFailure;
    ErrorCode err = utils->ParseFormat(format, this, false);
    if (err != kSuccess) return err;
    InterfacePtr<IStringData> collected(this, IID_ISTRINGDATA);
    if (!collected || !text) return kFailure;
    *text = collected->Get();
    text->SetTranslated();
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefPreviewer, kXRefPreviewerImpl);
