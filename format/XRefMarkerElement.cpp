// The marker building block: the name of the source marker; its content follows the name.
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "model/IXRefSourceMarker.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefMarkerElement : public XRefElement {
public:
  explicit XRefMarkerElement(IPMUnknown* boss) : XRefElement(boss, "marker", kAny) {}
  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState*,
                    IXRefTextLoc* source, IXRefTextLoc*) override {
    if (!attributes || !source || !source->IsValid()) return kXRefMissingInputError;
    InterfacePtr<ITextModel> model(source->QueryTextModel());
    if (!model) return kXRefMissingInputError;
    InterfacePtr<IOwnedItemStrand> owned(
        static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
    const UID uid = owned ? owned->GetOwnedUID(source->GetIndex(), kXRefSourceMarkerBoss) : kInvalidUID;
    if (uid == kInvalidUID) {
      // A source that is a plain text position has no name of its own.
      XRefAppendRun(runs, "Source Marker");
      return kSuccess;
    }
    InterfacePtr<IXRefSourceMarker> marker(source->GetDataBase(), uid, IID_IXREFSOURCEMARKER);
    if (marker) runs.push_back({WideString(marker->GetMarkerName().Units()), nullptr});
    return kSuccess;
  }
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendRun(runs, "Source Marker");
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefMarkerElement, kXRefMarkerElementImpl);
