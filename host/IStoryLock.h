#pragma once
// Whether a story is locked against changes. Text commands refuse to change
// a locked story.
#include "IPMUnknown.h"
#include "TextIDs.h"

class IStoryLock : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISTORYLOCK;
  virtual bool16 IsLocked() const = 0;
  virtual void SetLocked(bool16 locked) = 0;
};
