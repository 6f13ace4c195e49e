#pragma once
// A change an implementation records as what it changed, so that undo and
// redo replay it in place instead of restoring the implementation's bytes.
// Implementations that hold a lot (a story's strands) record their changes
// this way: a step then costs what the change touched, however much the
// implementation holds.
//
// The implementation asks PreDirtyEdit before each change (it does all that
// PreDirty does) and, when answered true, records one edit after the change.
// Undo is called on the state right after the change, Redo on the state
// right before it; each leaves the other state, bytes and all.
#include "headless/objects/HostObject.h"
#include "host/CPMUnknown.h"
#include <cstddef>
#include <memory>

class UndoEdit {
public:
  virtual ~UndoEdit() = default;
  virtual void Undo(IPMUnknown* impl) const = 0;
  virtual void Redo(IPMUnknown* impl) const = 0;
  // What the edit holds, in bytes.
  virtual size_t Bytes() const = 0;
};

template <class Interface>
class EditRecordingImpl : public CPMUnknown<Interface> {
public:
  using CPMUnknown<Interface>::CPMUnknown;

protected:
  // PreDirty; true when the coming change is to be recorded as an edit.
  bool PreDirtyEdit() { return Object()->PreDirtyEdit(this); }
  void RecordEdit(std::unique_ptr<UndoEdit> edit) { Object()->RecordEdit(this, std::move(edit)); }

private:
  // Implementations the host installs are parts of host objects.
  HostObject* Object() const { return static_cast<HostObject*>(this->Boss()); }
};
