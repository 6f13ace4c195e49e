#pragma once
// The selection utility (UtilsBoss::QueryUtils).
#include "IPMUnknown.h"
#include "SelectionIDs.h"

class ISelectionUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISELECTIONUTILS;
  // Yes while the user has asked for exact selection: suites must then not
  // grow a selection to whole objects.
  virtual bool16 IsSelectionExact() const = 0;
};
