#include "headless/layout/ComposedLines.h"
#include <algorithm>

size_t ComposedLines::FirstStartingAfter(TextIndex at) const {
  size_t low = 0, high = lines_.size();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (Start(mid) <= at) low = mid + 1;
    else high = mid;
  }
  return low;
}

size_t ComposedLines::FirstStartingFrom(TextIndex at) const {
  size_t low = 0, high = lines_.size();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (Start(mid) < at) low = mid + 1;
    else high = mid;
  }
  return low;
}

std::pair<size_t, size_t> ComposedLines::OfFrame(int32 frame) const {
  auto first = std::lower_bound(lines_.begin(), lines_.end(), frame,
                                [](const ComposedLine& l, int32 f) { return l.frame < f; });
  auto last = std::upper_bound(first, lines_.end(), frame, [](int32 f, const ComposedLine& l) { return f < l.frame; });
  return {static_cast<size_t>(first - lines_.begin()), static_cast<size_t>(last - lines_.begin())};
}

void ComposedLines::Clear() {
  lines_.clear();
  stepFrom_ = 0;
  stepDelta_ = 0;
}

void ComposedLines::PushBack(const ComposedLine& line) {
  StepForward(lines_.size());
  lines_.push_back(line);
  stepFrom_ = lines_.size();
}

void ComposedLines::Truncate(size_t n) {
  if (n >= lines_.size()) return;
  lines_.resize(n);
  stepFrom_ = std::min(stepFrom_, n);
}

void ComposedLines::StepForward(size_t n) {
  n = std::min(n, lines_.size());
  for (; stepFrom_ < n; ++stepFrom_) lines_[stepFrom_].start += stepDelta_;
}

void ComposedLines::StepBack(size_t n) {
  for (; stepFrom_ > n; --stepFrom_) lines_[stepFrom_ - 1].start -= stepDelta_;
}

void ComposedLines::Splice(size_t k, size_t tail, const std::vector<ComposedLine>& fresh, int32 delta) {
  tail = std::min(std::max(tail, k), lines_.size());
  // The lines kept before the change hold real starts.
  StepForward(k);
  const size_t replaced = tail - k;
  const auto at = [&](size_t n) { return lines_.begin() + static_cast<std::ptrdiff_t>(n); };
  if (replaced > fresh.size())
    lines_.erase(at(k + fresh.size()), at(tail));
  else if (replaced < fresh.size())
    lines_.insert(at(tail), fresh.size() - replaced, ComposedLine{});
  std::copy(fresh.begin(), fresh.end(), at(k));
  const size_t rest = k + fresh.size();
  // A step that began past the lines replaced moves with the lines after
  // them; one that began among them now begins after the fresh ones, which
  // are real.
  stepFrom_ = stepFrom_ >= tail ? stepFrom_ - replaced + fresh.size() : rest;
  if (delta == 0) return;
  // Lines [rest, stepFrom_) are real; moving them all by `delta` moves the
  // step's start back to `rest`, the shorter way from where it is.
  if (stepFrom_ - rest <= lines_.size() - stepFrom_) {
    StepBack(rest);
    stepDelta_ += delta;
    return;
  }
  // Nearer the end: the step ends there, and only the lines after it move.
  StepForward(lines_.size());
  stepFrom_ = rest;
  stepDelta_ = delta;
}
