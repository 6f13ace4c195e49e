#include "headless/text/CharAttrs.h"
#include <algorithm>
#include <tuple>

namespace {
bool ClassLess(const TextAttribute& a, ClassID cls) { return IdValue(a.cls) < IdValue(cls); }

bool AttrLess(const TextAttribute& a, const TextAttribute& b) {
  return std::make_tuple(IdValue(a.cls), a.intValue, a.realValue) <
             std::make_tuple(IdValue(b.cls), b.intValue, b.realValue) ||
         (std::make_tuple(IdValue(a.cls), a.intValue, a.realValue) ==
              std::make_tuple(IdValue(b.cls), b.intValue, b.realValue) &&
          a.stringValue < b.stringValue);
}
}  // namespace

const TextAttribute* CharAttrs::Find(ClassID cls) const {
  auto it = std::lower_bound(overrides.begin(), overrides.end(), cls, ClassLess);
  return it != overrides.end() && it->cls == cls ? &*it : nullptr;
}

void CharAttrs::Set(const TextAttribute& a) {
  auto it = std::lower_bound(overrides.begin(), overrides.end(), a.cls, ClassLess);
  if (it != overrides.end() && it->cls == a.cls) *it = a;
  else overrides.insert(it, a);
}

void CharAttrs::Remove(ClassID cls) {
  auto it = std::lower_bound(overrides.begin(), overrides.end(), cls, ClassLess);
  if (it != overrides.end() && it->cls == cls) overrides.erase(it);
}

void CharAttrs::SetAll(const AttributeBossList& list) {
  // Room for all at once: a list of nine would otherwise grow four times.
  overrides.reserve(overrides.size() + static_cast<size_t>(list.CountBosses()));
  for (int32 i = 0; i < list.CountBosses(); ++i) Set(list.GetNth(i));
}

AttributeBossList CharAttrs::Overrides() const {
  AttributeBossList list;
  for (auto& a : overrides) list.ApplyAttribute(a);
  return list;
}

bool CharAttrs::operator<(const CharAttrs& o) const {
  if (style != o.style) return UIDValue(style) < UIDValue(o.style);
  return std::lexicographical_compare(overrides.begin(), overrides.end(), o.overrides.begin(), o.overrides.end(),
                                      AttrLess);
}
