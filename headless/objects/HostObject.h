#pragma once
// One instance of a class: its implementations, constructed side by side in
// one block the host allocates, under the interface identifiers of its class
// definition.
// An object in a database lives as long as the database keeps it; an object
// outside one (or removed from it) is freed when its last reference goes.
#include "host/IControllingUnknown.h"
#include "headless/objects/ImplRegistry.h"
#include <memory>
#include <string>
#include <vector>

class ObjectStore;
class UndoEdit;

class HostObject final : public IControllingUnknown {
public:
  struct Slot {
    PMIID iid;
    const ImplRecord* record;
    IPMUnknown* impl;
  };

  // Null when the class is unknown or names an unregistered implementation.
  static HostObject* Create(ClassID cls, ObjectStore* db, UID uid);

  IPMUnknown* QueryInterface(PMIID iid) const override;
  void AddRef() const override { ++refs_; }
  void Release() const override;
  ClassID GetClass() const override { return cls_; }
  IDataBase* GetDataBase() const override;
  UID GetUID() const override { return uid_; }
  void PreDirty(const IPMUnknown* impl, bool16 allowModification) override;
  // PreDirty for a change recorded as an edit (UndoEdit.h); true when the
  // database wants the edit.
  bool PreDirtyEdit(const IPMUnknown* impl);
  void RecordEdit(const IPMUnknown* impl, std::unique_ptr<UndoEdit> edit);

  // The slots, in the order of the class definition.
  struct SlotRange {
    Slot* first;
    Slot* last;
    Slot* begin() const { return first; }
    Slot* end() const { return last; }
    size_t size() const { return static_cast<size_t>(last - first); }
  };
  SlotRange Slots() const { return {slots_, slots_ + slotCount_}; }
  // A persistent implementation's bytes, as its ReadWrite writes them; the
  // objects it owns are added to `owned` when given.
  static std::string Serialize(const Slot& slot, std::vector<UID>* owned = nullptr);
  const Slot* FindSlot(const IPMUnknown* impl) const;
  // The database lets go of the object; it is freed once unreferenced.
  void Detach();
  int32 RefCount() const { return refs_; }

private:
  HostObject(ClassID cls, ObjectStore* db, UID uid) : cls_(cls), db_(db), uid_(uid) {}
  ~HostObject() override;
  // Destroys the object and frees the memory Create took for it.
  static void Free(const HostObject* obj);

  ClassID cls_;
  ObjectStore* db_;
  UID uid_;
  // The object, its slots and every implementation's memory are one
  // allocation, in that order.
  Slot* slots_ = nullptr;
  size_t slotCount_ = 0;
  mutable int32 refs_ = 0;
  bool detached_ = false;
};
