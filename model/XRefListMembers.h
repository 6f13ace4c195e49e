#pragma once
// Which objects a list holds, answered without a walk of the list. Built
// from the list when first asked, kept up to date by the list's own
// additions and removals, and dropped when the list is read back (undo,
// redo, a file).
#include "host/UIDList.h"
#include <unordered_set>

class XRefListMembers {
public:
  bool Contains(const UIDList& list, UID uid) {
    if (!valid_) {
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
  void Invalidate() { valid_ = false; }

private:
  std::unordered_set<uint32_t> set_;
  bool valid_ = false;
};
