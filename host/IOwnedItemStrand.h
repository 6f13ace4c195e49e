#pragma once
// Objects anchored at characters of a story: at most one per index and class.
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "UID.h"
#include <vector>

struct OwnedItemInfo {
  TextIndex index;
  ClassID cls;
  UID uid;
};

class IOwnedItemStrand : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IOWNEDITEMSTRAND;

  // The item of a class anchored at an index; kInvalidUID when none.
  virtual UID GetOwnedUID(TextIndex at, ClassID cls) const = 0;
  // The items anchored in [start, start + length), in text order.
  virtual std::vector<OwnedItemInfo> GetOwnedItems(TextIndex start, int32 length) const = 0;
  // Where an item is anchored in this story; -1 when it is not.
  virtual TextIndex FindOwnedItem(UID item) const = 0;
  // Anchors the item as the one of its class at the index, replacing (and
  // detaching) any there; kInvalidUID detaches the one there. An item has one
  // anchor: one anchored elsewhere moves. False outside the story.
  virtual bool16 SetOwnedItem(TextIndex at, ClassID cls, UID item) = 0;
};
