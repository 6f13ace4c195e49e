#include "headless/text/CharAttrSets.h"

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
