// Implementations of the standard data interfaces. They persist when a class
// registers them persistent; on commands they are plain parameters.
#include "headless/objects/StandardData.h"
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/StandardDataInterfaces.h"

namespace {

class IntData : public CPMUnknown<IIntData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(int32 v) override { if (v != v_) { PreDirty(); v_ = v; } }
  int32 Get() const override { return v_; }
  void ReadWrite(IPMStream* s, ImplementationID) { s->XferInt32(v_); }
private:
  int32 v_ = 0;
};

class BoolData : public CPMUnknown<IBoolData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(bool16 v) override { v = v ? 1 : 0; if (v != v_) { PreDirty(); v_ = v; } }
  bool16 Get() const override { return v_; }
  void ReadWrite(IPMStream* s, ImplementationID) { s->XferBool(v_); if (v_ != 0) v_ = 1; }
private:
  bool16 v_ = 0;
};

class StringData : public CPMUnknown<IStringData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(const PMString& v) override { if (!(v == v_) || v.GetTranslationState() != v_.GetTranslationState()) { PreDirty(); v_ = v; } }
  const PMString& Get() const override { return v_; }
  void ReadWrite(IPMStream* s, ImplementationID) { v_.ReadWrite(s); }
private:
  PMString v_;
};

class WideStringData : public CPMUnknown<IWideStringData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(const WideString& v) override { if (v != v_) { PreDirty(); v_ = v; } }
  const WideString& Get() const override { return v_; }
  void ReadWrite(IPMStream* s, ImplementationID) { v_.ReadWrite(s); }
private:
  WideString v_;
};

class UIDData : public CPMUnknown<IUIDData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(const UIDRef& ref) override { if (ref != v_) { PreDirty(); v_ = ref; } }
  const UIDRef& GetRef() const override { return v_; }
  // Persisted as a reference into the object's own database.
  void ReadWrite(IPMStream* s, ImplementationID) {
    UID uid = v_.GetUID();
    s->XferReference(uid);
    if (s->IsReading()) v_ = UIDRef(uid == kInvalidUID ? nullptr : ::GetDataBase(this), uid);
  }
private:
  UIDRef v_;
};

class RangeData : public CPMUnknown<IRangeData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(TextIndex start, int32 length) override {
    if (start == start_ && length == length_) return;
    PreDirty();
    start_ = start;
    length_ = length;
  }
  TextIndex Start() const override { return start_; }
  int32 Length() const override { return length_; }
  void ReadWrite(IPMStream* s, ImplementationID) { s->XferInt32(start_); s->XferInt32(length_); }
private:
  TextIndex start_ = 0;
  int32 length_ = 0;
};

class ClassIDData : public CPMUnknown<IClassIDData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(ClassID v) override { if (v != v_) { PreDirty(); v_ = v; } }
  ClassID GetClassID() const override { return v_; }
  void ReadWrite(IPMStream* s, ImplementationID) {
    uint32 v = IdValue(v_);
    s->XferUInt32(v);
    v_ = ClassID{v};
  }
private:
  ClassID v_ = kInvalidClass;
};

class FileData : public CPMUnknown<IFileData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(const IDFile& f) override { if (f != v_) { PreDirty(); v_ = f; } }
  const IDFile& GetFile() const override { return v_; }
  void ReadWrite(IPMStream* s, ImplementationID) {
    PMString p = v_.GetPathString();
    p.ReadWrite(s);
    if (s->IsReading()) v_ = IDFile(p);
  }
private:
  IDFile v_;
};

}  // namespace

void InstallStandardData(ImplRegistry& r) {
  r.InstallHostPersistent<IntData>(kIntDataImpl);
  r.InstallHostPersistent<BoolData>(kBoolDataImpl);
  r.InstallHostPersistent<StringData>(kStringDataImpl);
  r.InstallHostPersistent<WideStringData>(kWideStringDataImpl);
  r.InstallHostPersistent<UIDData>(kUIDDataImpl);
  r.InstallHostPersistent<RangeData>(kRangeDataImpl);
  r.InstallHostPersistent<ClassIDData>(kClassIDDataImpl);
  r.InstallHostPersistent<FileData>(kFileDataImpl);
}
