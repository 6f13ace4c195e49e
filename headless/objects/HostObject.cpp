#include "headless/objects/HostObject.h"
#include "headless/objects/ObjectStore.h"
#include "headless/objects/Host.h"
#include "headless/objects/MemoryStream.h"
#include "host/InterfacePtr.h"

HostObject* HostObject::Create(ClassID cls, ObjectStore* db, UID uid) {
  Host& host = Host::Get();
  const ClassLayouts::Layout* layout = host.Layouts().Of(cls, host.Classes(), host.Impls());
  if (!layout) return nullptr;
  HostObject* obj = new HostObject(cls, db, uid);
  obj->block_ = layout->size ? ::operator new(layout->size) : nullptr;
  obj->slots_.reserve(layout->parts.size());
  for (const ClassLayouts::Part& part : layout->parts) {
    void* mem = static_cast<char*>(obj->block_) + part.offset;
    obj->slots_.push_back({part.iid, part.record, part.record->create(mem, obj)});
  }
  return obj;
}

HostObject::~HostObject() {
  // Destroy in reverse order of construction.
  for (auto it = slots_.rbegin(); it != slots_.rend(); ++it) it->record->destroy(it->impl);
  ::operator delete(block_);
}

IPMUnknown* HostObject::QueryInterface(PMIID iid) const {
  if (iid == kControllingIID) {
    AddRef();
    return const_cast<HostObject*>(this);
  }
  for (const Slot& s : slots_) {
    if (s.iid == iid) {
      AddRef();
      return s.impl;
    }
  }
  return nullptr;
}

void HostObject::Release() const {
  --refs_;
  if (refs_ <= 0 && detached_) delete this;
}

void HostObject::Detach() {
  detached_ = true;
  db_ = nullptr;
  if (refs_ <= 0) delete this;
}

IDataBase* HostObject::GetDataBase() const { return db_; }

std::string HostObject::Serialize(const Slot& slot, std::vector<UID>* owned) {
  MemoryWriteStream w;
  slot.record->readWrite(slot.impl, &w, slot.record->id);
  if (owned) owned->insert(owned->end(), w.OwnedObjects().begin(), w.OwnedObjects().end());
  return std::move(w.Data());
}

const HostObject::Slot* HostObject::FindSlot(const IPMUnknown* impl) const {
  for (const Slot& s : slots_)
    if (s.impl == impl) return &s;
  return nullptr;
}

void HostObject::PreDirty(const IPMUnknown* impl, bool16) {
  if (!db_) return;
  const Slot* slot = FindSlot(impl);
  if (slot) db_->RecordPreDirty(uid_, slot->record->id);
}

bool HostObject::PreDirtyEdit(const IPMUnknown* impl) {
  if (!db_) return false;
  const Slot* slot = FindSlot(impl);
  return slot && db_->PreDirtyEdit(uid_, slot->record->id);
}

void HostObject::RecordEdit(const IPMUnknown* impl, std::unique_ptr<UndoEdit> edit) {
  const Slot* slot = db_ ? FindSlot(impl) : nullptr;
  if (slot) db_->RecordEdit(uid_, slot->record->id, std::move(edit));
}

namespace {
// The object's controlling interface, reached from any of its interfaces.
InterfacePtr<IControllingUnknown> BossOf(const IPMUnknown* obj) {
  return InterfacePtr<IControllingUnknown>(obj, IPMUnknown::kControllingIID);
}
}  // namespace

IDataBase* GetDataBase(const IPMUnknown* obj) {
  auto boss = BossOf(obj);
  return boss ? boss->GetDataBase() : nullptr;
}

UID GetUID(const IPMUnknown* obj) {
  auto boss = BossOf(obj);
  return boss ? boss->GetUID() : kInvalidUID;
}

UIDRef GetUIDRef(const IPMUnknown* obj) { return UIDRef(GetDataBase(obj), GetUID(obj)); }

ClassID GetClass(const IPMUnknown* obj) {
  auto boss = BossOf(obj);
  return boss ? boss->GetClass() : kInvalidClass;
}
