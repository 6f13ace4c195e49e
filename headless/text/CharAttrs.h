#pragma once
// What one character carries: its character style and its local attributes.
// Invariant: the local attributes are sorted by class, one per class, so
// equal content compares equal.
#include "host/AttributeBossList.h"
#include <vector>

struct CharAttrs {
  UID style = kInvalidUID;
  std::vector<TextAttribute> overrides;

  const TextAttribute* Find(ClassID cls) const;
  void Set(const TextAttribute& a);
  void Remove(ClassID cls);
  void SetAll(const AttributeBossList& list);
  AttributeBossList Overrides() const;
  bool operator==(const CharAttrs& o) const { return style == o.style && overrides == o.overrides; }
  bool operator<(const CharAttrs& o) const;
};

// Paragraph attributes: the style and the paragraph's own numbering kind
// (-1: its style's).
struct ParaAttrs {
  UID style = kInvalidUID;
  int32 numbering = -1;
  bool operator==(const ParaAttrs& o) const { return style == o.style && numbering == o.numbering; }
};
