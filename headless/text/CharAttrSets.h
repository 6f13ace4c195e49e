#pragma once
// Distinct character attribute sets, each under a number, so runs hold a
// number and equal sets share one. Invariant: a set has exactly one number.
#include "headless/text/CharAttrs.h"
#include <map>
#include <vector>

class CharAttrSets {
public:
  int32 Intern(const CharAttrs& attrs);
  // The set of a number; an empty set for a number never given.
  const CharAttrs& Get(int32 id) const;
  int32 Size() const { return static_cast<int32>(sets_.size()); }
  void Clear();

private:
  std::vector<CharAttrs> sets_;
  std::map<CharAttrs, int32> ids_;
};
