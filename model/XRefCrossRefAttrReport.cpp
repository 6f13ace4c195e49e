// What the cross-reference attribute tells the host: it belongs to the text
// a cross-reference composed, so typing, copying and styles leave it behind,
// descriptions of text do not list it, and it shows through the highlight
// adornment while its cross-reference exists.
#include "host/CPMUnknown.h"
#include "host/IAttrReport.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/XRefDrawingID.h"
#include "model/XRefModelID.h"

namespace {
class XRefCrossRefAttrReport : public CPMUnknown<IAttrReport> {
public:
  using CPMUnknown::CPMUnknown;

  int32 CarriedWhenTyping() const override { return 0; }
  int32 CopiedWithText() const override { return 1; }
  int32 AllowedInStyles() const override { return 0; }
  int32 ListedWithResolvedAttributes() const override { return 0; }
  int32 GetDrawKind() const override { return 2; }

  void AdornRun(IWaxRun* run) override {
    if (!run) return;
    run->SetAttrAdornment(kXRefCrossRefAttrBoss, CrossRefExists(run) ? kXRefUnresolvedAdornmentBoss : kInvalidClass);
  }

  void AppendDescription(PMString* text) const override {
    if (text) text->Append("Cross-Reference Attribute");
  }

private:
  static bool CrossRefExists(IWaxRun* run) {
    TextAttribute attr;
    if (!run->GetAttribute(kXRefCrossRefAttrBoss, &attr)) return false;
    IDataBase* db = run->GetStoryRef().GetDataBase();
    const UID uid = TextAttr::AsUID(attr);
    if (!db || uid == kInvalidUID) return false;
    InterfacePtr<IXRefCrossRef> crossRef(db, uid, IID_IXREFCROSSREF);
    return crossRef.get() != nullptr;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCrossRefAttrReport, kXRefCrossRefAttrReportImpl);
