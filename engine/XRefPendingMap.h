#pragma once
// Objects reported to a scheduler and waiting for a pass, by ascending UID.
//
// Passes are counted; an entry keeps the count at its last report and is
// ripe (handled) in the second pass after it. A handled entry is dropped:
// the next report stores it again, so a pass costs what is waiting rather
// than every object ever reported.
//
// "Everything" (every object of the caller's list) is reported in constant
// time and ripens like one entry: until then it counts as the report of
// every stored entry; once ripe, the caller adds the list's objects
// (AddRipe), and those reported since keep their own count.
#include "host/UID.h"
#include <cstdint>
#include <map>

class XRefPendingMap {
public:
  using Entries = std::map<UID, uint64_t>;

  // Inserts the entry or makes it wait two passes again.
  void Report(UID uid) { entries_[uid] = passes_; }
  void ReportAll() {
    all_ = passes_;
    allWaiting_ = true;
  }
  // Starts a pass: true when everything reported has ripened and the caller
  // must now AddRipe every object of its list.
  bool StartPass();
  void AddRipe(UID uid) { entries_.emplace(uid, all_); }

  // Walking a pass: entries in ascending UID. Ripe ones are handled
  // (Handled drops the entry and answers the next) or made to Wait again.
  Entries::iterator begin() { return entries_.begin(); }
  Entries::iterator end() { return entries_.end(); }
  bool IsRipe(Entries::const_iterator at) const;
  void Wait(Entries::iterator at) { at->second = passes_; }
  Entries::iterator Handled(Entries::iterator at) { return entries_.erase(at); }

private:
  Entries entries_;
  uint64_t passes_ = 0;
  uint64_t all_ = 0;
  bool allWaiting_ = false;
};
