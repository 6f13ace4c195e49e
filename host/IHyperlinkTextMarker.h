#pragma once
// The owned item that anchors a hyperlink destination at a character of a
// story (class 0x1353C, interface 0x13528): it names its destination.
#include "IPMUnknown.h"
#include "UID.h"

constexpr ClassID kHyperlinkTextMarkerBoss{0x1353C};
constexpr PMIID IID_IHYPERLINKTEXTMARKER{0x13528};

class IHyperlinkTextMarker : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHYPERLINKTEXTMARKER;
  // The destination in the marker's database; kInvalidUID when none.
  virtual UID GetDestinationUID() const = 0;
};
