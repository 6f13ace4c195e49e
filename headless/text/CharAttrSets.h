#pragma once
// Distinct character attribute sets, each under a number, so runs hold a
// number and equal sets share one. Invariant: a set has exactly one number.
#include "headless/text/CharAttrs.h"
#include <unordered_map>
#include <vector>

class CharAttrSets {
public:
  int32 Intern(const CharAttrs& attrs);
  // The set of a number; an empty set for a number never given.
  const CharAttrs& Get(int32 id) const;
  int32 Size() const { return static_cast<int32>(sets_.size()); }
  void Clear();

private:
  struct Hash {
    size_t operator()(const CharAttrs& attrs) const;
  };
  std::vector<CharAttrs> sets_;
  // Hashed: a story whose characters carry thousands of distinct sets (one
  // per cross-reference) interns one in constant time.
  std::unordered_map<CharAttrs, int32, Hash> ids_;
};
