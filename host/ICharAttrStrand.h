#pragma once
// Character attributes as runs: each character carries a character style and
// its own (local) attributes, which win over the style's.
#include "AttributeBossList.h"
#include "IPMUnknown.h"
#include "TextIDs.h"

class ICharAttrStrand : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ICHARATTRSTRAND;

  // The character style at an index; kInvalidUID outside the story.
  virtual UID GetCharStyle(TextIndex at) const = 0;
  // The run holding an index (characters with the same style and local
  // attributes); false outside the story.
  virtual bool16 GetRun(TextIndex at, TextIndex* start, int32* length) const = 0;
  // The local attributes at an index; empty outside the story.
  virtual AttributeBossList GetOverrides(TextIndex at) const = 0;
  // One local attribute at an index; false when there is none of the class.
  virtual bool16 GetOverride(TextIndex at, ClassID cls, TextAttribute* out) const = 0;
};
