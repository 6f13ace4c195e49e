#include "engine/XRefCrossRefListRepair.h"
#include "host/IControllingUnknown.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefModelID.h"

namespace {
bool Exists(const UIDRef& ref) {
  IDataBase* db = ref.GetDataBase();
  return db && ref.GetUID() != kInvalidUID && db->GetClass(ref.GetUID()) != kInvalidClass;
}

// Removes a lone text marker, so that no character carries a marker whose
// cross-reference is gone and no marker object stands without a character.
// Its character stays: it may stand inside a writer's text.
void DropMarker(IDataBase* db, UID marker) {
  InterfacePtr<IOwnedItem> item(db, marker, IID_IOWNEDITEM);
  if (!item) return;
  const TextIndex at = item->GetTextIndex();
  InterfacePtr<ITextModel> story(item->GetStoryRef());
  InterfacePtr<IOwnedItemStrand> strand(
      story ? static_cast<IOwnedItemStrand*>(story->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND))
            : nullptr);
  if (strand && at >= 0)
    for (ClassID cls : {kXRefCrossRefStartMarkerBoss, kXRefCrossRefEndMarkerBoss})
      if (strand->GetOwnedUID(at, cls) == marker) strand->SetOwnedItem(at, cls, kInvalidUID);
  db->DeleteUID(marker);
}

// A marker counts only when a character of a story holds it: one whose
// story went (the text of a deleted footnote) brackets nothing.
bool Anchored(IDataBase* db, UID marker) {
  InterfacePtr<IOwnedItem> item(db, marker, IID_IOWNEDITEM);
  return item && item->GetTextIndex() >= 0;
}

// Removes the entry at `index`; false when the list would not shrink, so
// that the walk cannot loop.
bool RemoveEntry(IXRefCrossRefList* list, UID crossRef, bool deleteObject) {
  const int32 before = list->GetCrossRefCount();
  list->RemoveCrossRef(crossRef);
  IDataBase* db = ::GetDataBase(list);
  if (deleteObject && db) db->DeleteUID(crossRef);
  return list->GetCrossRefCount() < before;
}

// Files of earlier versions kept such names when a start marker's
// character was deleted.
void ForgetGoneCrossRefs(IDataBase* db) {
  for (ClassID cls : {kXRefCrossRefStartMarkerBoss, kXRefCrossRefEndMarkerBoss})
    for (UID uid : db->GetUIDsOfClass(cls)) {
      InterfacePtr<IXRefCrossRefTextMarker> marker(db, uid);
      if (!marker || marker->GetMarkerCrossRef() == kInvalidUID) continue;
      if (db->GetClass(marker->GetMarkerCrossRef()) != kInvalidClass) continue;
      marker->SetMarkerCrossRef(kInvalidUID);
      marker->SetPartnerMarker(kInvalidUID);
    }
}
}  // namespace

int32 XRefCrossRefListRepair::Repair(const UIDRef& doc) {
  InterfacePtr<IXRefCrossRefList> list(doc, IID_IXREFCROSSREFLIST);
  IDataBase* db = doc.GetDataBase();
  if (!list || !db) return 0;
  int32 removed = 0;
  ForgetGoneCrossRefs(db);
  for (int32 i = 0; i < list->GetCrossRefCount();) {
    const UIDRef ref = list->GetCrossRefRef(i);
    if (!Exists(ref)) {
      if (!RemoveEntry(list.get(), ref.GetUID(), false)) return removed;
      ++removed;
      continue;
    }
    InterfacePtr<IXRefCrossRef> crossRef(ref);
    if (!crossRef) return removed;
    InterfacePtr<IXRefCrossRefTextMarker> start(db, crossRef->GetStartMarker());
    InterfacePtr<IXRefCrossRefTextMarker> end(db, crossRef->GetEndMarker());
    if (start && end && Anchored(db, crossRef->GetStartMarker()) && Anchored(db, crossRef->GetEndMarker())) {
      ++i;
      continue;
    }
    if (start) DropMarker(db, crossRef->GetStartMarker());
    if (end) DropMarker(db, crossRef->GetEndMarker());
    if (!RemoveEntry(list.get(), ref.GetUID(), true)) return removed;
    ++removed;
  }
  return removed;
}
