#include "headless/objects/HostObject.h"
#include "headless/objects/ObjectStore.h"
#include "headless/objects/Host.h"
#include "headless/objects/MemoryStream.h"
#include "host/InterfacePtr.h"
#include <cstddef>
#include <new>

namespace {
constexpr size_t kAlign = alignof(std::max_align_t);
constexpr size_t RoundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }
}  // namespace

HostObject* HostObject::Create(ClassID cls, ObjectStore* db, UID uid) {
  Host& host = Host::Get();
  const ClassLayouts::Layout* layout = host.Layouts().Of(cls, host.Classes(), host.Impls());
  if (!layout) return nullptr;
  // One allocation per object, its slots and its implementations: every
  // command makes several objects.
  constexpr size_t slotsAt = RoundUp(sizeof(HostObject), alignof(Slot));
  const size_t blockAt = RoundUp(slotsAt + layout->parts.size() * sizeof(Slot), kAlign);
  char* memory = static_cast<char*>(::operator new(blockAt + layout->size));
  auto* obj = new (memory) HostObject(cls, db, uid);
  obj->slots_ = reinterpret_cast<Slot*>(memory + slotsAt);
  for (const ClassLayouts::Part& part : layout->parts) {
    IPMUnknown* impl = part.record->create(memory + blockAt + part.offset, obj);
    new (obj->slots_ + obj->slotCount_) Slot{part.iid, part.record, impl};
    ++obj->slotCount_;
  }
  return obj;
}

HostObject::~HostObject() {
  // Destroy in reverse order of construction.
  for (size_t i = slotCount_; i > 0; --i) slots_[i - 1].record->destroy(slots_[i - 1].impl);
}

void HostObject::Free(const HostObject* obj) {
  obj->~HostObject();
  ::operator delete(const_cast<HostObject*>(obj));
}

IPMUnknown* HostObject::QueryInterface(PMIID iid) const {
  if (iid == kControllingIID) {
    AddRef();
    return const_cast<HostObject*>(this);
  }
  for (const Slot& s : Slots()) {
    if (s.iid == iid) {
      AddRef();
      return s.impl;
    }
  }
  return nullptr;
}

void HostObject::Release() const {
  --refs_;
  if (refs_ <= 0 && detached_) Free(this);
}

void HostObject::Detach() {
  detached_ = true;
  db_ = nullptr;
  if (refs_ <= 0) Free(this);
}

IDataBase* HostObject::GetDataBase() const { return db_; }

std::string HostObject::Serialize(const Slot& slot, std::vector<UID>* owned) {
  MemoryWriteStream w;
  slot.record->readWrite(slot.impl, &w, slot.record->id);
  if (owned) owned->insert(owned->end(), w.OwnedObjects().begin(), w.OwnedObjects().end());
  return std::move(w.Data());
}

const HostObject::Slot* HostObject::FindSlot(const IPMUnknown* impl) const {
  for (const Slot& s : Slots())
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
