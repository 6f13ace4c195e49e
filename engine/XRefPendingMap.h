#pragma once
// Objects reported to a scheduler and waiting for a pass, by ascending UID.
//
// Invariant: only waiting entries are stored, with state 0 (reported, wait
// one more pass) or 1 (ripe: handle in this pass). A handled entry is
// dropped instead of being kept at -1: it is skipped by every pass until the
// next report, which sets it to 0 whether it is kept or not, so dropping it
// changes nothing a caller sees and a pass costs what is waiting rather
// than every object ever reported.
#include "host/UID.h"
#include <cstdint>
#include <map>

class XRefPendingMap {
public:
  enum : int8_t { kHandled = -1, kWaiting = 0, kRipe = 1 };
  using Entries = std::map<UID, int8_t>;

  // Inserts the entry or resets it to "wait one more pass".
  void Report(UID uid) { entries_[uid] = kWaiting; }
  // The entry's state; kHandled for an entry handled or never reported.
  int8_t State(UID uid) const;
  size_t WaitingCount() const { return entries_.size(); }
  void Clear() { entries_.clear(); }

  // Walking a pass: entries in ascending UID; Handled drops the entry at the
  // iterator and answers the next one.
  Entries::iterator begin() { return entries_.begin(); }
  Entries::iterator end() { return entries_.end(); }
  Entries::iterator Handled(Entries::iterator at) { return entries_.erase(at); }

private:
  Entries entries_;
};
