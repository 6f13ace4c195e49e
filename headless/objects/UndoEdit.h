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

// What a span of an implementation holds, to compare with what it held at
// another time.
class SpanImage {
public:
  virtual ~SpanImage() = default;
  virtual bool Same(const SpanImage& other) const = 0;
};

template <class T>
class ImageOf : public SpanImage {
public:
  explicit ImageOf(T value) : value_(std::move(value)) {}
  bool Same(const SpanImage& other) const override { return value_ == static_cast<const ImageOf&>(other).value_; }

private:
  T value_;
};

class UndoEdit {
public:
  virtual ~UndoEdit() = default;
  virtual void Undo(IPMUnknown* impl) const = 0;
  virtual void Redo(IPMUnknown* impl) const = 0;
  // What the edit holds, in bytes.
  virtual size_t Bytes() const = 0;
  // Where it changed the implementation: `removed` positions at `at` became
  // `inserted` ones.
  virtual void Extent(int32* at, int32* removed, int32* inserted) const = 0;
  // What [at, at + count) of the implementation (of the edit's kind) holds.
  virtual std::unique_ptr<SpanImage> Image(IPMUnknown* impl, int32 at, int32 count) const = 0;
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
