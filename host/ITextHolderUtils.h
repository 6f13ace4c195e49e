#pragma once
// The text holder utility (UtilsBoss::QueryUtils): which object holds a
// story position.
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "UIDRef.h"

class ITextHolderUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTHOLDERUTILS;
  // The first holder of the story's document (ITextHolderList order) whose
  // range [start, start + length) contains `at` (an empty range holds its
  // start); a UIDRef with kInvalidUID (database kept) when none does, and a
  // null UIDRef for a story that does not exist.
  virtual UIDRef QueryHolderOfPosition(const UIDRef& story, TextIndex at) const = 0;
};
