#include "model/XRefCrossRefInterior.h"
#include "host/IOwnedItemStrand.h"
#include "host/IParagraphStrand.h"
#include "host/InterfacePtr.h"
#include "model/XRefModelID.h"

UID XRefCrossRefInterior::EnclosingStartMarker(ITextModel* story, TextIndex at, TextIndex* markerIndex) {
  if (!story || at <= 0) return kInvalidUID;
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(story->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  InterfacePtr<IParagraphStrand> paragraphs(
      static_cast<IParagraphStrand*>(story->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
  if (!strand || !paragraphs) return kInvalidUID;
  const TextIndex from = paragraphs->GetParagraphStart(at - 1);
  if (from < 0) return kInvalidUID;
  auto items = strand->GetOwnedItems(from, at - from);
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    if (it->cls == kXRefCrossRefEndMarkerBoss) return kInvalidUID;
    if (it->cls != kXRefCrossRefStartMarkerBoss) continue;
    if (markerIndex) *markerIndex = it->index;
    return it->uid;
  }
  return kInvalidUID;
}

bool XRefCrossRefInterior::IsInside(const UIDRef& story, TextIndex at) {
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  return EnclosingStartMarker(model.get(), at) != kInvalidUID;
}
