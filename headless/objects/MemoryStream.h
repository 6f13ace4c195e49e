#pragma once
// Streams over memory, little-endian. The write stream appends to a buffer it
// owns; the read stream reads a buffer it does not own and never reads past
// its end. Both can take part in copying objects between databases: the write
// stream collects owned objects, the read stream remaps identifiers.
#include "host/IPMStream.h"
#include <map>
#include <string>
#include <vector>

class MemoryWriteStream final : public IPMStream {
public:
  IPMUnknown* QueryInterface(PMIID iid) const override;
  void AddRef() const override { ++refs_; }
  void Release() const override { if (--refs_ == 0) delete this; }

  bool16 IsReading() const override { return false; }
  bool16 IsWriting() const override { return true; }
  void XferByte(uchar& v) override { Put(&v, 1); }
  void XferBool(bool16& v) override { XferInt16(v); }
  void XferInt16(int16& v) override { Put(&v, 2); }
  void XferInt32(int32& v) override { Put(&v, 4); }
  void XferInt64(int64& v) override { Put(&v, 8); }
  void XferReal(double& v) override { Put(&v, 8); }
  int32 XferBytes(void* buf, int32 count) override;
  void XferReference(UID& uid) override;
  void XferObject(UID& uid) override;
  void XferReferences(UID* uids, int32 count) override;
  void XferObjects(UID* uids, int32 count) override;
  int64 Available() const override { return -1; }
  bool16 GetBad() const override { return false; }
  void SetBad() override {}

  const std::string& Data() const { return buf_; }
  std::string& Data() { return buf_; }
  const std::vector<UID>& OwnedObjects() const { return owned_; }

private:
  void Put(const void* p, size_t n) { buf_.append(static_cast<const char*>(p), n); }
  std::string buf_;
  std::vector<UID> owned_;
  mutable int32 refs_ = 1;
};

class MemoryReadStream final : public IPMStream {
public:
  MemoryReadStream(const void* data, size_t size) : p_(static_cast<const uchar*>(data)), size_(size) {}
  explicit MemoryReadStream(const std::string& s) : MemoryReadStream(s.data(), s.size()) {}

  IPMUnknown* QueryInterface(PMIID iid) const override;
  void AddRef() const override { ++refs_; }
  void Release() const override { if (--refs_ == 0) delete this; }

  bool16 IsReading() const override { return true; }
  bool16 IsWriting() const override { return false; }
  void XferByte(uchar& v) override { Get(&v, 1); }
  void XferBool(bool16& v) override { XferInt16(v); }
  void XferInt16(int16& v) override { Get(&v, 2); }
  void XferInt32(int32& v) override { Get(&v, 4); }
  void XferInt64(int64& v) override { Get(&v, 8); }
  void XferReal(double& v) override { Get(&v, 8); }
  int32 XferBytes(void* buf, int32 count) override;
  void XferReference(UID& uid) override;
  void XferObject(UID& uid) override;
  void XferReferences(UID* uids, int32 count) override;
  void XferObjects(UID* uids, int32 count) override { XferReferences(uids, count); }
  int64 Available() const override { return static_cast<int64>(size_ - pos_); }
  bool16 GetBad() const override { return bad_; }
  void SetBad() override { bad_ = true; }

  // Identifiers met while reading are mapped through this table; with
  // dropUnmapped, references outside it read as kInvalidUID (another database).
  void SetRemap(const std::map<UID, UID>* remap, bool dropUnmapped) { remap_ = remap; drop_ = dropUnmapped; }

private:
  void Get(void* out, size_t n);
  UID Map(UID uid) const;
  const uchar* p_;
  size_t size_;
  size_t pos_ = 0;
  bool bad_ = false;
  const std::map<UID, UID>* remap_ = nullptr;
  bool drop_ = false;
  mutable int32 refs_ = 1;
};
