#pragma once
// The stories of a document, on its root object, in the order they were made.
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "UID.h"

class IStoryList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISTORYLIST;
  virtual int32 GetStoryCount() const = 0;
  // kInvalidUID outside 0 <= n < GetStoryCount().
  virtual UID GetNthStoryUID(int32 n) const = 0;
};
