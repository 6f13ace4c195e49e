#include "integration/XRefTextSelection.h"
#include "host/IOwnedItemStrand.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryLock.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefCrossRefInterior.h"
#include "model/XRefModelID.h"
#include <algorithm>

namespace {
bool IsStart(ClassID cls) { return cls == kXRefCrossRefStartMarkerBoss; }
bool IsEnd(ClassID cls) { return cls == kXRefCrossRefEndMarkerBoss; }

InterfacePtr<IOwnedItemStrand> OwnedItems(ITextModel* model) {
  return InterfacePtr<IOwnedItemStrand>(
      static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
}

InterfacePtr<IParagraphStrand> Paragraphs(ITextModel* model) {
  return InterfacePtr<IParagraphStrand>(
      static_cast<IParagraphStrand*>(model->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
}

UID CrossRefOf(IDataBase* db, UID marker) {
  InterfacePtr<IXRefCrossRefTextMarker> m(db, marker, IID_IXREFCROSSREFTEXTMARKER);
  return m ? m->GetMarkerCrossRef() : kInvalidUID;
}

void AppendOnce(UIDList* list, UID uid) {
  if (uid != kInvalidUID && list->Location(uid) < 0) list->Append(uid);
}
}  // namespace

XRefTextSelection::XRefTextSelection(const IPMUnknown* textSelection)
    : target_(textSelection, IID_ITEXTTARGET) {
  if (!target_) return;
  model_.reset(target_->QueryTextModel());
  story_ = target_->GetTextModel();
  range_ = target_->GetRange();
}

bool XRefTextSelection::IsLocked() const {
  InterfacePtr<IStoryLock> lock(story_, IID_ISTORYLOCK);
  return lock && lock->IsLocked();
}

// The last index the walks over the range look at: the range's end itself
// (a caret looks at the character after it), kept inside the story.
TextIndex XRefTextSelection::InclusiveEnd() const {
  return std::min(range_.End(), model_->TotalLength() - 1);
}

UIDList XRefTextSelection::SourceMarkers(bool first) const {
  UIDList found(story_.GetDataBase());
  if (!model_) return found;
  auto strand = OwnedItems(model_.get());
  // A selection an edit left past the story's end holds nothing.
  if (!strand || range_.Start() < 0 || InclusiveEnd() < range_.Start()) return found;
  for (const OwnedItemInfo& item : strand->GetOwnedItems(range_.Start(), InclusiveEnd() - range_.Start() + 1)) {
    if (item.cls != kXRefSourceMarkerBoss) continue;
    found.Append(item.uid);
    if (first) break;
  }
  return found;
}

UID XRefTextSelection::EnclosingStartMarker(TextIndex* at) const {
  return XRefCrossRefInterior::EnclosingStartMarker(model_.get(), range_.Start(), at);
}

UIDList XRefTextSelection::CrossRefs() const {
  IDataBase* db = story_.GetDataBase();
  UIDList found(db);
  if (!model_ || !HasSelection()) return found;
  auto strand = OwnedItems(model_.get());
  if (!strand) return found;
  for (const OwnedItemInfo& item : strand->GetOwnedItems(range_.Start(), InclusiveEnd() - range_.Start() + 1))
    if (IsStart(item.cls) || IsEnd(item.cls)) AppendOnce(&found, CrossRefOf(db, item.uid));
  if (found.Length() > 0) return found;
  const UID start = EnclosingStartMarker(nullptr);
  if (start != kInvalidUID) AppendOnce(&found, CrossRefOf(db, start));
  return found;
}

RangeData XRefTextSelection::Grown() const {
  if (!model_) return range_;
  TextIndex start = range_.Start(), end = range_.End();
  EnclosingStartMarker(&start);
  auto strand = OwnedItems(model_.get());
  auto paragraphs = Paragraphs(model_.get());
  if (!strand || !paragraphs || end >= model_->TotalLength()) return RangeData(start, end);
  int32 length = 0;
  const TextIndex paragraph = paragraphs->GetParagraphStart(end, &length);
  for (const OwnedItemInfo& item : strand->GetOwnedItems(end, paragraph + length - end)) {
    if (IsStart(item.cls)) break;
    if (!IsEnd(item.cls)) continue;
    end = item.index + 1;
    break;
  }
  return RangeData(start, end);
}
