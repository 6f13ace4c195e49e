// The glyph adornment: a pin at every source marker and a bracket at every
// start and end text marker of a line, on screen and only while the user
// shows hidden characters.
#include "host/CPMUnknown.h"
#include "host/HostIDs.h"
#include "host/IDisplayOptions.h"
#include "host/IDocument.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextAdornment.h"
#include "host/ITextModel.h"
#include "host/IWaxGeometry.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefDrawingID.h"
#include "model/XRefFixedPoint.h"
#include "model/XRefMarkerGlyphs.h"
#include "model/XRefModelID.h"

namespace {
bool ShowsHiddenCharacters(IDataBase* db) {
  InterfacePtr<IDocument> doc(db, kRootUID, IID_IDOCUMENT);
  if (!doc) return false;
  InterfacePtr<IDisplayOptions> options(doc->GetDocWorkspace(), IID_IDISPLAYOPTIONS);
  return options && options->GetShowHiddenCharacters();
}

bool GlyphOf(ClassID cls, XRefMarkerGlyphs::Kind* kind) {
  if (cls == kXRefSourceMarkerBoss) *kind = XRefMarkerGlyphs::kSourceMarker;
  else if (cls == kXRefCrossRefStartMarkerBoss) *kind = XRefMarkerGlyphs::kOpeningBracket;
  else if (cls == kXRefCrossRefEndMarkerBoss) *kind = XRefMarkerGlyphs::kClosingBracket;
  else return false;
  return true;
}

class XRefTextMarkerTextAdornment : public CPMUnknown<ITextAdornment> {
public:
  using CPMUnknown::CPMUnknown;

  int32 GetDrawPriority() override { return XRefToFixed(kXRefGlyphAdornmentPriority); }
  void AdornmentChanged(IPMUnknown*) override {}
  int32 GetInkOutset() override { return 0; }

  void Draw(int32 flags, IPMUnknown* wax, IGraphicsPort* port) override {
    if (flags & (kDrawForPrint | kDrawForExport)) return;
    InterfacePtr<IWaxGeometry> line(wax, IID_IWAXGEOMETRY);
    if (!line || !port) return;
    const UIDRef story = line->GetStoryRef();
    if (!ShowsHiddenCharacters(story.GetDataBase())) return;
    InterfacePtr<ITextModel> text(story, IID_ITEXTMODEL);
    if (!text) return;
    InterfacePtr<IOwnedItemStrand> strand(
        static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
    if (!strand) return;
    for (const OwnedItemInfo& item : strand->GetOwnedItems(line->GetStart(), line->GetLength())) {
      XRefMarkerGlyphs::Kind kind;
      if (GlyphOf(item.cls, &kind)) XRefMarkerGlyphs::Draw(kind, line.get(), item.index, port);
    }
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefTextMarkerTextAdornment, kXRefTextMarkerTextAdornmentImpl);
