#include "model/XRefCrossRefGeometry.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefModelID.h"
#include <algorithm>
#include <tuple>

namespace {
using Geometry = XRefCrossRefGeometry;

// What is wrong with a marker as the cross-reference's marker of `cls`; a
// missing one is told apart later, by its anchor.
Geometry::Fault Identity(IDataBase* db, UID crossRef, UID marker, ClassID cls) {
  if (marker == kInvalidUID || db->GetClass(marker) == kInvalidClass) return Geometry::kSound;
  InterfacePtr<IXRefCrossRefTextMarker> text(db, marker);
  if (db->GetClass(marker) != cls || !text) return Geometry::kWrongClass;
  return text->GetMarkerCrossRef() == crossRef ? Geometry::kSound : Geometry::kOtherCrossRef;
}

// The story a marker names and its anchor's index there (-1 when the story
// does not anchor it); false when there is no marker or it names no story.
bool Anchor(IDataBase* db, UID marker, UIDRef* story, TextIndex* at) {
  InterfacePtr<IOwnedItem> item(db, marker, IID_IOWNEDITEM);
  if (!item) return false;
  *story = item->GetStoryRef();
  *at = item->GetTextIndex();
  return story->GetDataBase() != nullptr;
}

// The first item anchored in [from, to), or kInvalidUID.
UID FirstAnchoredIn(const UIDRef& story, TextIndex from, TextIndex to) {
  InterfacePtr<ITextModel> text(story);
  InterfacePtr<IOwnedItemStrand> strand(
      text ? static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND))
           : nullptr);
  if (!strand || to <= from) return kInvalidUID;
  const std::vector<OwnedItemInfo> items = strand->GetOwnedItems(from, to - from);
  return items.empty() ? kInvalidUID : items.front().uid;
}

std::string Number(UID uid) { return std::to_string(UIDValue(uid)); }
}  // namespace

XRefCrossRefGeometry XRefCrossRefGeometry::Of(IDataBase* db, UID crossRef, bool scanBetween) {
  Geometry g;
  g.crossRef = crossRef;
  InterfacePtr<IXRefCrossRef> x(db, crossRef);
  if (!x) {
    g.fault = kStartMissing;
    return g;
  }
  const UID startMarker = x->GetStartMarker(), endMarker = x->GetEndMarker();
  const auto fail = [&g](Fault fault, UID culprit) {
    g.fault = fault;
    g.culprit = culprit;
    return g;
  };
  if (Fault f = Identity(db, crossRef, startMarker, kXRefCrossRefStartMarkerBoss)) return fail(f, startMarker);
  if (Fault f = Identity(db, crossRef, endMarker, kXRefCrossRefEndMarkerBoss)) return fail(f, endMarker);
  if (!Anchor(db, startMarker, &g.story, &g.start)) return fail(kStartMissing, startMarker);
  if (g.start < 0) return fail(kStartUnanchored, startMarker);
  UIDRef endStory;
  if (!Anchor(db, endMarker, &endStory, &g.end) || g.end < 0) return fail(kEndMissing, endMarker);
  if (endStory != g.story) return fail(kOtherStory, endMarker);
  if (g.start >= g.end) return fail(kNotBeforeEnd, endMarker);
  if (!scanBetween) return g;
  const UID between = FirstAnchoredIn(g.story, g.start + 1, g.end);
  return between == kInvalidUID ? g : fail(kHoldsItems, between);
}

std::string XRefCrossRefGeometry::Describe() const {
  const std::string who = "cross-reference " + Number(crossRef);
  switch (fault) {
    case kSound: return who + " is sound";
    case kStartMissing: return who + " has no start marker";
    case kStartUnanchored: return who + ": its start marker " + Number(culprit) + " is not anchored in its story";
    case kEndMissing: return who + " has no end marker";
    case kWrongClass: return who + ": its marker " + Number(culprit) + " is of the wrong class";
    case kOtherCrossRef: return who + ": its marker " + Number(culprit) + " names another cross-reference";
    case kOtherStory: return who + ": its end marker " + Number(culprit) + " lies in another story";
    case kNotBeforeEnd: return who + ": its start marker lies at or after its end marker " + Number(culprit);
    case kHoldsItems: return who + ": object " + Number(culprit) + " is anchored inside its text";
  }
  return who;
}

std::vector<std::pair<UID, UID>> XRefCrossRefGeometry::FindCrossings(std::vector<XRefCrossRefGeometry> sound) {
  std::sort(sound.begin(), sound.end(), [](const Geometry& a, const Geometry& b) {
    return std::make_tuple(a.story.GetUID(), a.start) < std::make_tuple(b.story.GetUID(), b.start);
  });
  // Texts of one story either follow or hold one another; in start order,
  // the innermost open text is the one that must close first.
  std::vector<std::pair<UID, UID>> crossings;
  std::vector<const Geometry*> open;
  for (const Geometry& g : sound) {
    while (!open.empty() && (open.back()->story != g.story || open.back()->end <= g.start)) open.pop_back();
    if (!open.empty() && open.back()->end < g.end) crossings.emplace_back(open.back()->crossRef, g.crossRef);
    open.push_back(&g);
  }
  return crossings;
}

std::string XRefCrossRefGeometry::DescribeCrossing(const std::pair<UID, UID>& crossing) {
  return "cross-references " + Number(crossing.first) + " and " + Number(crossing.second) +
         " cross: each holds one marker of the other";
}
