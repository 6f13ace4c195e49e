#include "headless/text/ObjectCommands.h"
#include "headless/database/DataBase.h"
#include "headless/objects/Host.h"
#include "headless/objects/MemoryStream.h"
#include "headless/text/StoryObjects.h"
#include "host/CmdUtils.h"
#include "host/DataBaseErrors.h"
#include "host/InterfacePtr.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/StandardDataInterfaces.h"
#include <set>

namespace {
void Fail(ErrorCode e) { ErrorUtils::PMSetGlobalErrorCode(e); }

InterfacePtr<IOwnedItemStrand> OwnedStrandOf(const UIDRef& story) {
  InterfacePtr<ITextModel> model(story);
  return InterfacePtr<IOwnedItemStrand>(
      model ? static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND))
            : nullptr);
}

// Detaches an owned item from the character it is anchored at.
void Detach(IDataBase* db, UID uid) {
  InterfacePtr<IOwnedItem> item(db, uid, IID_IOWNEDITEM);
  if (!item) return;
  auto strand = OwnedStrandOf(item->GetStoryRef());
  TextIndex at = strand ? strand->FindOwnedItem(uid) : kInvalidTextIndex;
  if (at < 0) {
    item->SetAnchorStory(kInvalidUID);
    return;
  }
  for (const OwnedItemInfo& info : strand->GetOwnedItems(at, 1))
    if (info.uid == uid) strand->SetOwnedItem(at, info.cls, kInvalidUID);
}

// Deletes an object and, first, the objects it owns.
void DeleteTree(DataBase* db, UID uid, std::set<UID>& seen) {
  HostObject* obj = db->FindObject(uid);
  if (!obj || !seen.insert(uid).second) return;
  std::vector<UID> owned;
  for (const auto& slot : obj->Slots()) {
    if (!slot.record->readWrite) continue;
    MemoryWriteStream w;
    slot.record->readWrite(slot.impl, &w, slot.record->id);
    owned.insert(owned.end(), w.OwnedObjects().begin(), w.OwnedObjects().end());
  }
  for (UID child : owned) DeleteTree(db, child, seen);
  Detach(db, uid);
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  if (stories) static_cast<StoryListImpl*>(stories.get())->RemoveStory(uid);
  db->DeleteUID(uid);
}
}  // namespace

void NewObjectCmd::Do() {
  IDataBase* db = GetItemList()->GetDataBase();
  InterfacePtr<IClassIDData> cls(this, IID_ICLASSIDDATA);
  const bool known = db && cls && Host::Get().Classes().IsDefined(cls->GetClassID());
  UID uid = known ? db->NewUID(cls->GetClassID()) : kInvalidUID;
  SetItemList(UIDList(db));
  if (!known) return Fail(kInvalidParameterError);
  if (uid == kInvalidUID) return Fail(kNoMoreUIDsError);
  GetItemListReference().Append(uid);
}

void AttachOwnedItemCmd::Do() {
  const UIDList* items = GetItemList();
  InterfacePtr<IUIDData> object(this, IID_IUIDDATA);
  InterfacePtr<IIntData> index(this, IID_IINTDATA);
  InterfacePtr<IClassIDData> cls(this, IID_ICLASSIDDATA);
  if (items->Length() != 1 || !object || !index || !cls) return Fail(kInvalidParameterError);
  auto strand = OwnedStrandOf(items->GetRef(0));
  UID item = object->GetUID();
  if (!strand || (item != kInvalidUID && object->GetItemDataBase() != items->GetDataBase()))
    return Fail(kInvalidParameterError);
  if (!strand->SetOwnedItem(index->Get(), cls->GetClassID(), item)) Fail(kTextRangeError);
}

void DeleteObjectCmd::Do() {
  const UIDList items = *GetItemList();
  auto* db = static_cast<DataBase*>(items.GetDataBase());
  if (!db || items.IsEmpty()) return Fail(kInvalidParameterError);
  for (UID uid : items.Items()) {
    if (!db->IsValidUID(uid)) return Fail(kObjectNotFoundError);
    std::set<UID> seen;
    DeleteTree(db, uid, seen);
  }
}
