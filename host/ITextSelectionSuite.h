#pragma once
// Sets the text selection (on the abstract selection). The selection's
// observers hear of it.
#include "IPMUnknown.h"
#include "RangeData.h"
#include "SelectionIDs.h"
#include "UIDRef.h"

class ITextSelectionSuite : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTSELECTIONSUITE;
  // False when the story does not exist or the range does not lie within
  // it (the story's final return may be selected up to).
  virtual bool16 SetTextSelection(const UIDRef& story, const RangeData& range) = 0;
};
