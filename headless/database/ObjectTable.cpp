#include "headless/database/ObjectTable.h"
#include <algorithm>

namespace {
// Below this many slots the array grows freely: small databases never
// overflow.
constexpr size_t kFreeSlots = 4096;
}  // namespace

void ObjectTable::GrowFor(uint32_t v) {
  if (v < dense_.size()) return;
  const size_t wanted = static_cast<size_t>(v) + 1;
  if (wanted > kFreeSlots && wanted > 2 * (size_ + 1)) return;
  dense_.resize(std::max(wanted, std::min<size_t>(dense_.size() * 2, std::max(kFreeSlots, 2 * (size_ + 1)))), nullptr);
  while (!overflow_.empty() && overflow_.begin()->first < dense_.size()) {
    dense_[overflow_.begin()->first] = overflow_.begin()->second;
    overflow_.erase(overflow_.begin());
  }
}

bool ObjectTable::Insert(UID uid, HostObject* obj) {
  if (!obj || Contains(uid)) return false;
  const uint32_t v = UIDValue(uid);
  GrowFor(v);
  if (v < dense_.size()) dense_[v] = obj;
  else overflow_.emplace(v, obj);
  ++size_;
  return true;
}

HostObject* ObjectTable::Erase(UID uid) {
  const uint32_t v = UIDValue(uid);
  HostObject* obj = nullptr;
  if (v < dense_.size()) {
    obj = dense_[v];
    dense_[v] = nullptr;
  } else {
    auto it = overflow_.find(v);
    if (it == overflow_.end()) return nullptr;
    obj = it->second;
    overflow_.erase(it);
  }
  if (obj) --size_;
  return obj;
}
