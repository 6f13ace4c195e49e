#pragma once
// Which objects a list holds, answered without a walk of the list. Kept up
// to date by the list's own additions and removals and dropped when the list
// is read back (undo, redo, a file). Building it costs far more than one
// walk, so it is built only once the list has been asked often since it was
// last read back: many additions in a row (a build, a paste) use it, while
// an addition undone each time walks the list as before.
#include "host/UIDList.h"
#include <unordered_set>

class XRefListMembers {
public:
  bool Contains(const UIDList& list, UID uid) {
    if (!valid_) {
      if (++walks_ < kWalksBeforeSet) return list.Contains(uid);
      set_.clear();
      for (UID listed : list.Items()) set_.insert(UIDValue(listed));
      valid_ = true;
    }
    return set_.count(UIDValue(uid)) != 0;
  }
  void Added(UID uid) {
    if (valid_) set_.insert(UIDValue(uid));
  }
  // After `uid` left `list`; a list read from a file may have held it twice.
  void Removed(const UIDList& list, UID uid) {
    if (valid_ && list.Location(uid) < 0) set_.erase(UIDValue(uid));
  }
  void Invalidate() {
    valid_ = false;
    walks_ = 0;
  }

private:
  static constexpr int kWalksBeforeSet = 64;
  int walks_ = 0;
  std::unordered_set<uint32_t> set_;
  bool valid_ = false;
};
