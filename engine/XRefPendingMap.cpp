#include "engine/XRefPendingMap.h"
#include <algorithm>

namespace {
// A report is handled in the second pass that starts after it.
constexpr uint64_t kPassesToRipen = 2;
}  // namespace

bool XRefPendingMap::StartPass() {
  ++passes_;
  if (!allWaiting_ || passes_ - all_ < kPassesToRipen) return false;
  allWaiting_ = false;
  return true;
}

bool XRefPendingMap::IsRipe(Entries::const_iterator at) const {
  const uint64_t reported = allWaiting_ ? std::max(at->second, all_) : at->second;
  return passes_ - reported >= kPassesToRipen;
}
