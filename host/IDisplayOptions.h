#pragma once
// What the user chose to see (on a workspace). View state: kept while the
// workspace lives, never written with the document, never undone.
#include "DrawingIDs.h"
#include "IPMUnknown.h"

class IDisplayOptions : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IDISPLAYOPTIONS;
  // Hidden characters (returns, markers, anchors) shown; off by default.
  virtual bool16 GetShowHiddenCharacters() const = 0;
  virtual void SetShowHiddenCharacters(bool16 show) = 0;
};
