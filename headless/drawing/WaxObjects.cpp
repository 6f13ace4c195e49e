#include "headless/drawing/WaxObjects.h"
#include "host/CreateObject.h"
#include "host/DrawingIDs.h"
#include "host/ICharAttrStrand.h"
#include "host/ITextAttributes.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"

double WaxGeometryImpl::GetGlyphX(TextIndex at) const {
  const auto& xs = place_.glyphX;
  if (xs.empty()) return place_.left + (at - place_.lineStart) * place_.advance;
  if (at < place_.lineStart) return place_.left;
  const size_t i = static_cast<size_t>(at - place_.lineStart);
  if (i < xs.size()) return xs[i];
  return xs.back() + place_.glyphWidth.back();
}

double WaxGeometryImpl::GetGlyphWidth(TextIndex at) const {
  if (at < place_.lineStart || at == place_.returnAt) return 0;
  if (place_.glyphX.empty()) return place_.advance;
  const size_t i = static_cast<size_t>(at - place_.lineStart);
  return i < place_.glyphWidth.size() ? place_.glyphWidth[i] : 0;
}

namespace {
InterfacePtr<IWaxGeometry> PlaceOf(const IPMUnknown* run) { return InterfacePtr<IWaxGeometry>(run, IID_IWAXGEOMETRY); }
}  // namespace

UIDRef WaxRunImpl::GetStoryRef() const {
  auto place = PlaceOf(this);
  return place ? place->GetStoryRef() : UIDRef();
}

TextIndex WaxRunImpl::GetStart() const {
  auto place = PlaceOf(this);
  return place ? place->GetStart() : 0;
}

int32 WaxRunImpl::GetLength() const {
  auto place = PlaceOf(this);
  return place ? place->GetLength() : 0;
}

// The character's own attribute, else what its styles give it: not what
// typing there would carry, which leaves out attributes kept off typed text.
bool16 WaxRunImpl::GetAttribute(ClassID cls, TextAttribute* out) const {
  InterfacePtr<ITextModel> text(GetStoryRef(), IID_ITEXTMODEL);
  if (!text || !out) return false;
  InterfacePtr<ICharAttrStrand> chars(
      static_cast<ICharAttrStrand*>(text->QueryStrand(kCharAttrStrandBoss, IID_ICHARATTRSTRAND)));
  if (chars && chars->GetOverride(GetStart(), cls, out)) return true;
  InterfacePtr<ITextAttributes> attrs(GetStoryRef(), IID_ITEXTATTRIBUTES);
  const AttributeBossList resolved = attrs ? attrs->GetResolvedAttributes(GetStart()) : AttributeBossList();
  const TextAttribute* found = resolved.Find(cls);
  if (found) *out = *found;
  return found != nullptr;
}

void WaxRunImpl::SetAttrAdornment(ClassID attr, ClassID adornment) {
  for (auto& entry : adornments_) {
    if (entry.first != attr) continue;
    entry.second = adornment;
    return;
  }
  adornments_.emplace_back(attr, adornment);
}

IPMUnknown* MakeDrawnLine(const WaxPlace& place) {
  auto* line = static_cast<WaxGeometryImpl*>(CreateObject(kWaxDrawnLineBoss, IID_IWAXGEOMETRY));
  if (line) line->Set(place);
  return line;
}

WaxRunImpl* MakeWaxRun(const WaxPlace& place) {
  auto* run = static_cast<WaxRunImpl*>(CreateObject(kWaxRunBoss, IID_IWAXRUN));
  InterfacePtr<IWaxGeometry> geometry(run, IID_IWAXGEOMETRY);
  if (!geometry) return run;
  static_cast<WaxGeometryImpl*>(geometry.get())->Set(place);
  return run;
}
