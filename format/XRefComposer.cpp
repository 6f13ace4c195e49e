// The composer's entry: positions the object's two locations and parses the
// format, whose events this object's content handler turns into text.
#include "format/IXRefComposer.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "host/CPMUnknown.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefComposer : public CPMUnknown<IXRefComposer> {
public:
  using CPMUnknown::CPMUnknown;

  ErrorCode Compose(PMString format, IDataBase* sourceDB, UID sourceStory, TextIndex sourceIndex, IDataBase* destDB,
                    UID destStory, TextIndex destIndex) override {
    InterfacePtr<IXRefTextLoc> source(this, IID_IXREFSOURCETEXTLOC);
    InterfacePtr<IXRefTextLoc> destination(this, IID_IXREFDESTTEXTLOC);
    if (!source || !destination) return kFailure;
    source->SetLocation(sourceDB, sourceStory, sourceIndex);
    destination->SetLocation(destDB, destStory, destIndex);
    // Nothing can be written where no text may be inserted; saying so keeps
    // an empty result from passing for a successful composition.
    if (!destination->IsValid()) return kFailure;
    source->RecomposeThrough();
    destination->RecomposeThrough();

    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (!utils) return kFailure;
    // A bad escape is the validator's to reject; the format composes as it stands.
    utils->ConvertMetacharacters(format, nullptr);
    return utils->ParseFormat(format, this, false);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefComposer, kXRefComposerImpl);
