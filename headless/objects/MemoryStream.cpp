#include "headless/objects/MemoryStream.h"
#include <cstring>

IPMUnknown* MemoryWriteStream::QueryInterface(PMIID iid) const {
  if (iid != IPMStream::kDefaultIID) return nullptr;
  AddRef();
  return const_cast<MemoryWriteStream*>(this);
}

int32 MemoryWriteStream::XferBytes(void* buf, int32 count) {
  if (count <= 0) return 0;
  Put(buf, static_cast<size_t>(count));
  return count;
}

void MemoryWriteStream::XferReference(UID& uid) {
  uint32_t v = UIDValue(uid);
  Put(&v, 4);
}

void MemoryWriteStream::XferObject(UID& uid) {
  if (uid != kInvalidUID) owned_.push_back(uid);
  XferReference(uid);
}

// A UID is written as its 32-bit value, as XferReference writes it.
static_assert(sizeof(UID) == sizeof(uint32_t), "UIDs are stored as 32-bit values");

void MemoryWriteStream::XferReferences(UID* uids, int32 count) {
  if (count > 0) Put(uids, static_cast<size_t>(count) * sizeof(UID));
}

void MemoryWriteStream::XferObjects(UID* uids, int32 count) {
  for (int32 i = 0; i < count; ++i)
    if (uids[i] != kInvalidUID) owned_.push_back(uids[i]);
  XferReferences(uids, count);
}

IPMUnknown* MemoryReadStream::QueryInterface(PMIID iid) const {
  if (iid != IPMStream::kDefaultIID) return nullptr;
  AddRef();
  return const_cast<MemoryReadStream*>(this);
}

void MemoryReadStream::Get(void* out, size_t n) {
  if (bad_ || n > size_ - pos_) {
    bad_ = true;
    pos_ = size_;
    std::memset(out, 0, n);
    return;
  }
  std::memcpy(out, p_ + pos_, n);
  pos_ += n;
}

int32 MemoryReadStream::XferBytes(void* buf, int32 count) {
  if (count <= 0) return 0;
  size_t n = static_cast<size_t>(count);
  if (n > size_ - pos_) {
    // A short read is not an error for raw byte consumers such as parsers.
    n = size_ - pos_;
  }
  std::memcpy(buf, p_ + pos_, n);
  pos_ += n;
  return static_cast<int32>(n);
}

UID MemoryReadStream::Map(UID uid) const {
  if (!remap_ || uid == kInvalidUID) return uid;
  auto it = remap_->find(uid);
  if (it != remap_->end()) return it->second;
  return drop_ ? kInvalidUID : uid;
}

void MemoryReadStream::XferReference(UID& uid) {
  uint32_t v = 0;
  Get(&v, 4);
  uid = Map(UID{v});
}

void MemoryReadStream::XferObject(UID& uid) { XferReference(uid); }

void MemoryReadStream::XferReferences(UID* uids, int32 count) {
  if (count <= 0) return;
  Get(uids, static_cast<size_t>(count) * sizeof(UID));
  for (int32 i = 0; i < count; ++i) uids[i] = Map(uids[i]);
}

IPMStream* StreamUtil::CreatePointerStreamRead(const void* buffer, int32 length) {
  return new MemoryReadStream(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}
