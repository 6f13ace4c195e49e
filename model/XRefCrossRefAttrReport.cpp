// What the cross-reference attribute tells the host: it belongs to the text
// a cross-reference composed, so typing, copying and styles leave it behind,
// descriptions of text do not list it, and it shows through an adornment.
#include "host/CPMUnknown.h"
#include "host/IAttrReport.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefModelID.h"

namespace {
class XRefCrossRefAttrReport : public CPMUnknown<IAttrReport> {
public:
  using CPMUnknown::CPMUnknown;

  int32 CarriedWhenTyping() const override { return 0; }
  int32 CopiedWithText() const override { return 0; }
  int32 AllowedInStyles() const override { return 0; }
  int32 ListedWithResolvedAttributes() const override { return 0; }
  int32 GetDrawKind() const override { return 2; }
  // The status display names the adornment; until then, none.
  void AdornRun(IWaxRun* run) override {
    if (run) run->SetAttrAdornment(kXRefCrossRefAttrBoss, kInvalidClass);
  }
  void AppendDescription(PMString* text) const override {
    if (text) text->Append("cross-reference");
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCrossRefAttrReport, kXRefCrossRefAttrReportImpl);
