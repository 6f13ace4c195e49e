#include "headless/objects/ClassLayouts.h"
#include <cstddef>

const ClassLayouts::Layout* ClassLayouts::Of(ClassID cls, const ClassRegistry& classes, const ImplRegistry& impls) {
  if (classes.Generation() != generation_ || impls.InstallCount() != installs_) {
    layouts_.clear();
    recent_.fill({kInvalidClass, nullptr});
    generation_ = classes.Generation();
    installs_ = impls.InstallCount();
  }
  auto& slot = recent_[static_cast<uint32_t>(cls) % recent_.size()];
  if (slot.second && slot.first == cls) return slot.second;
  auto known = layouts_.find(cls);
  if (known != layouts_.end()) {
    slot = {cls, &known->second};
    return slot.second;
  }
  std::vector<std::pair<PMIID, ImplementationID>> interfaces;
  if (!classes.Resolve(cls, &interfaces)) return nullptr;
  constexpr size_t kAlign = alignof(std::max_align_t);
  Layout layout;
  layout.parts.reserve(interfaces.size());
  for (const auto& entry : interfaces) {
    const ImplRecord* record = impls.Find(entry.second);
    if (!record) return nullptr;
    layout.parts.push_back({entry.first, record, layout.size});
    layout.size += (record->size() + kAlign - 1) / kAlign * kAlign;
  }
  slot = {cls, &layouts_.emplace(cls, std::move(layout)).first->second};
  return slot.second;
}
