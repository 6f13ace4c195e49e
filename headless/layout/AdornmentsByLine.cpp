#include "headless/layout/AdornmentsByLine.h"
#include <algorithm>

namespace {
template <class It>
It FirstEntryFrom(It first, It last, int32 line) {
  return std::lower_bound(first, last, line, [](const auto& e, int32 n) { return e.line < n; });
}
}  // namespace

std::vector<AdornmentsByLine::Entry>::iterator AdornmentsByLine::FirstFrom(int32 line) {
  return FirstEntryFrom(entries_.begin(), entries_.end(), line);
}

std::vector<AdornmentsByLine::Entry>::const_iterator AdornmentsByLine::FirstFrom(int32 line) const {
  return FirstEntryFrom(entries_.begin(), entries_.end(), line);
}

AdornmentsByLine::List& AdornmentsByLine::At(int32 line) {
  auto it = FirstFrom(line);
  if (it != entries_.end() && it->line == line) return lists_[static_cast<size_t>(it->list)];
  int32 list = static_cast<int32>(lists_.size());
  if (free_.empty()) {
    lists_.emplace_back();
  } else {
    list = free_.back();
    free_.pop_back();
  }
  entries_.insert(it, Entry{line, list});
  return lists_[static_cast<size_t>(list)];
}

const AdornmentsByLine::List* AdornmentsByLine::Find(int32 line) const {
  auto it = FirstFrom(line);
  return it != entries_.end() && it->line == line ? &lists_[static_cast<size_t>(it->list)] : nullptr;
}

void AdornmentsByLine::Clear() {
  entries_.clear();
  lists_.clear();
  free_.clear();
}

std::vector<AdornmentsByLine::Entry>::iterator AdornmentsByLine::Erase(std::vector<Entry>::iterator first,
                                                                      std::vector<Entry>::iterator last) {
  for (auto it = first; it != last; ++it) {
    lists_[static_cast<size_t>(it->list)].clear();
    free_.push_back(it->list);
  }
  return entries_.erase(first, last);
}

void AdornmentsByLine::DropFrom(int32 line) { Erase(FirstFrom(line), entries_.end()); }

void AdornmentsByLine::Recomposed(int32 from, int32 end, int32 moved) {
  auto rest = Erase(FirstFrom(from), FirstFrom(std::max(from, end)));
  if (moved == 0) return;
  for (; rest != entries_.end(); ++rest) rest->line += moved;
}
