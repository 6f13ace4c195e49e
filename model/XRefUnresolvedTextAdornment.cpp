// The highlight adornment: a translucent wash beneath the text of a
// cross-reference whose source is broken (red) or whose composition failed
// (magenta). Evaluating it again on every redraw keeps the wash current; it
// never opens documents.
#include "host/CPMUnknown.h"
#include "host/IAttrReport.h"
#include "host/ITextAdornment.h"
#include "host/IWaxGeometry.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/XRefDrawingID.h"
#include "model/XRefFixedPoint.h"
#include "model/XRefModelID.h"

namespace {
// The colour for what holds of the cross-reference now; false when it needs
// none. Evaluated, not read from the states: those are not stored, and after
// opening they would say nothing of a format that fails.
bool WashColour(IXRefCrossRef* crossRef, double rgb[3]) {
  const XRefEvaluation now = crossRef->Evaluate();
  if (!now.sourceFound) {
    rgb[0] = 1, rgb[1] = 0, rgb[2] = 0;
    return true;
  }
  if (!now.composes) {
    rgb[0] = 1, rgb[1] = 0, rgb[2] = 1;
    return true;
  }
  return false;
}

void AddGlyphBox(IGraphicsPort* port, const IWaxGeometry* run, TextIndex at) {
  const double x = run->GetGlyphX(at), w = run->GetGlyphWidth(at);
  const double top = run->GetTop(), bottom = run->GetBottom();
  double px[4] = {x, x + w, x + w, x}, py[4] = {top, top, bottom, bottom};
  const PMMatrix m = run->GetMatrix();
  for (int i = 0; i < 4; ++i) m.Transform(&px[i], &py[i]);
  port->MoveTo(px[0], py[0]);
  for (int i = 1; i < 4; ++i) port->LineTo(px[i], py[i]);
  port->ClosePath();
}

void AddRunBox(IGraphicsPort* port, const IWaxGeometry* run) {
  const TextIndex start = run->GetStart();
  double width = 0;
  for (TextIndex i = start; i < start + run->GetLength(); ++i) width += run->GetGlyphWidth(i);
  port->Rectangle(run->GetGlyphX(start), run->GetTop(), width, run->GetBottom() - run->GetTop());
}

class XRefUnresolvedTextAdornment : public CPMUnknown<ITextAdornment> {
public:
  using CPMUnknown::CPMUnknown;

  int32 GetDrawPriority() override { return XRefToFixed(kXRefHighlightAdornmentPriority); }
  void AdornmentChanged(IPMUnknown*) override {}
  int32 GetInkOutset() override { return 0; }

  void Draw(int32 flags, IPMUnknown* wax, IGraphicsPort* port) override {
    if (flags & (kDrawForPrint | kDrawForExport)) return;
    InterfacePtr<IWaxRun> run(wax, IID_IWAXRUN);
    InterfacePtr<IWaxGeometry> place(wax, IID_IWAXGEOMETRY);
    if (!run || !place || !port) return;
    TextAttribute attr;
    if (!run->GetAttribute(kXRefCrossRefAttrBoss, &attr)) return;
    const UID uid = TextAttr::AsUID(attr);
    IDataBase* db = run->GetStoryRef().GetDataBase();
    if (!db || uid == kInvalidUID) return;
    InterfacePtr<IXRefCrossRef> crossRef(db, uid, IID_IXREFCROSSREF);
    double rgb[3];
    if (!crossRef || !WashColour(crossRef.get(), rgb)) return;
    port->Save();
    port->SetRGBColor(rgb[0], rgb[1], rgb[2]);
    port->SetOpacity(0.5);
    if (place->IsTransformed()) {
      for (TextIndex i = place->GetStart(); i < place->GetStart() + place->GetLength(); ++i)
        AddGlyphBox(port, place.get(), i);
    } else {
      AddRunBox(port, place.get());
    }
    port->Fill();
    port->Restore();
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefUnresolvedTextAdornment, kXRefUnresolvedTextAdornmentImpl);
