#include "headless/layout/AdornmentsByLine.h"
#include <algorithm>

size_t AdornmentsByLine::FirstFrom(int32 line) const {
  if (line == lastLine_ && line != kNoLine) return lastAt_;
  size_t low = 0, high = entries_.size();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (LineOf(mid) < line) low = mid + 1;
    else high = mid;
  }
  lastLine_ = line;
  lastAt_ = low;
  return low;
}

AdornmentsByLine::List& AdornmentsByLine::At(int32 line) {
  const size_t at = FirstFrom(line);
  if (at < entries_.size() && LineOf(at) == line) return lists_[static_cast<size_t>(entries_[at].list)];
  int32 list = static_cast<int32>(lists_.size());
  if (free_.empty()) {
    lists_.emplace_back();
  } else {
    list = free_.back();
    free_.pop_back();
  }
  // An entry at or before the step's start goes in before it, unstepped.
  if (at <= stepFrom_) {
    entries_.Insert(at, 1, Entry{line, list});
    ++stepFrom_;
  } else {
    entries_.Insert(at, 1, Entry{line - step_, list});
  }
  // The entries after it moved on; the line's own entry is where it was sought.
  lastLine_ = line;
  lastAt_ = at;
  return lists_[static_cast<size_t>(list)];
}

const AdornmentsByLine::List* AdornmentsByLine::Find(int32 line) const {
  const size_t at = FirstFrom(line);
  return at < entries_.size() && LineOf(at) == line ? &lists_[static_cast<size_t>(entries_[at].list)] : nullptr;
}

void AdornmentsByLine::Clear() {
  Moved();
  entries_.Clear();
  stepFrom_ = 0;
  step_ = 0;
  lists_.clear();
  free_.clear();
}

void AdornmentsByLine::Erase(size_t first, size_t last) {
  if (first >= last) return;
  for (size_t n = first; n < last; ++n) {
    const int32 list = entries_[n].list;
    lists_[static_cast<size_t>(list)].clear();
    free_.push_back(list);
  }
  entries_.Erase(first, last);
  Moved();
  if (stepFrom_ >= last) stepFrom_ -= last - first;
  else if (stepFrom_ > first) stepFrom_ = first;
}

void AdornmentsByLine::MoveStepTo(size_t n) {
  if (stepFrom_ >= entries_.size()) {
    // Nothing is stepped: the step starts afresh.
    stepFrom_ = n;
    step_ = 0;
    return;
  }
  for (; stepFrom_ < n; ++stepFrom_) entries_[stepFrom_].line += step_;
  for (; stepFrom_ > n; --stepFrom_) entries_[stepFrom_ - 1].line -= step_;
}

void AdornmentsByLine::DropFrom(int32 line) { Erase(FirstFrom(line), entries_.size()); }

void AdornmentsByLine::Recomposed(int32 from, int32 end, int32 moved) {
  const size_t first = FirstFrom(from);
  Erase(first, FirstFrom(std::max(from, end)));
  if (moved == 0) return;
  MoveStepTo(first);
  step_ += moved;
  Moved();
}
