#include "headless/database/ObjectCopier.h"
#include "headless/objects/MemoryStream.h"

namespace {
struct Pending {
  UID from;
  std::map<ImplementationID, std::string> impls;
};

// Gathers the object and everything it owns, allocating the copies.
bool Gather(DataBase& from, UID uid, DataBase& to, std::map<UID, UID>& remap, std::vector<Pending>& pending) {
  if (remap.count(uid)) return true;
  ClassID cls = from.GetClass(uid);
  if (cls == kInvalidClass) return false;
  UID copy = to.NewUID(cls);
  if (copy == kInvalidUID) return false;
  remap[uid] = copy;
  Pending p{uid, {}};
  HostObject* obj = from.FindObject(uid);
  std::vector<UID> owned;
  for (const auto& slot : obj->Slots())
    if (slot.record->readWrite) p.impls[slot.record->id] = HostObject::Serialize(slot, &owned);
  pending.push_back(std::move(p));
  for (UID child : owned)
    if (from.IsValidUID(child) && !Gather(from, child, to, remap, pending)) return false;
  return true;
}
}  // namespace

UID CopyObject(DataBase& from, UID uid, DataBase& to, std::map<UID, UID>* remapOut) {
  std::map<UID, UID> remap;
  std::vector<Pending> pending;
  if (!Gather(from, uid, to, remap, pending)) {
    for (auto& entry : remap) to.DeleteUID(entry.second);
    return kInvalidUID;
  }
  const bool acrossDatabases = &from != &to;
  for (auto& p : pending) {
    HostObject* copy = to.FindObject(remap[p.from]);
    for (const auto& slot : copy->Slots()) {
      auto bytes = p.impls.find(slot.record->id);
      if (bytes == p.impls.end()) continue;
      // Announce the change so the copy's state is part of the undo step.
      copy->PreDirty(slot.impl, true);
      MemoryReadStream r(bytes->second);
      r.SetRemap(&remap, acrossDatabases);
      slot.record->readWrite(slot.impl, &r, slot.record->id);
    }
  }
  if (remapOut) *remapOut = remap;
  return remap[uid];
}
