#include "headless/text/CharAttrSets.h"
#include <functional>
#include <string>

namespace {
void Mix(size_t* seed, size_t value) { *seed ^= value + 0x9e3779b97f4a7c15ull + (*seed << 6) + (*seed >> 2); }
}  // namespace

size_t CharAttrSets::Hash::operator()(const CharAttrs& attrs) const {
  size_t seed = UIDValue(attrs.style);
  for (const TextAttribute& a : attrs.overrides) {
    Mix(&seed, IdValue(a.cls));
    Mix(&seed, std::hash<int64>()(a.intValue));
    Mix(&seed, std::hash<double>()(a.realValue));
    Mix(&seed, std::hash<std::u16string>()(a.stringValue.Units()));
  }
  return seed;
}

int32 CharAttrSets::Intern(const CharAttrs& attrs) {
  auto it = ids_.find(attrs);
  if (it != ids_.end()) return it->second;
  int32 id = static_cast<int32>(sets_.size());
  sets_.push_back(attrs);
  ids_.emplace(attrs, id);
  return id;
}

const CharAttrs& CharAttrSets::Get(int32 id) const {
  static const CharAttrs kEmpty;
  return id >= 0 && id < Size() ? sets_[static_cast<size_t>(id)] : kEmpty;
}

void CharAttrSets::Clear() {
  sets_.clear();
  ids_.clear();
}
