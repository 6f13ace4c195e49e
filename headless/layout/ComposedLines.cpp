#include "headless/layout/ComposedLines.h"
#include <algorithm>

// The first line whose start is not `before` the index: the lines'
// starts rise, so a search by halves finds it.
template <class Before>
size_t ComposedLines::FirstNot(Before before) const {
  size_t low = 0, high = size();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (before(Start(mid))) low = mid + 1;
    else high = mid;
  }
  return low;
}

size_t ComposedLines::FirstStartingAfter(TextIndex at) const {
  return FirstNot([at](TextIndex start) { return start <= at; });
}

size_t ComposedLines::FirstStartingFrom(TextIndex at) const {
  return FirstNot([at](TextIndex start) { return start < at; });
}

std::pair<size_t, size_t> ComposedLines::OfFrame(int32 frame) const {
  auto first = std::lower_bound(places_.begin(), places_.end(), frame,
                                [](const Place& p, int32 f) { return p.frame < f; });
  auto last = std::upper_bound(first, places_.end(), frame, [](int32 f, const Place& p) { return f < p.frame; });
  return {static_cast<size_t>(first - places_.begin()), static_cast<size_t>(last - places_.begin())};
}

void ComposedLines::Clear() {
  starts_.clear();
  places_.clear();
  stepFrom_ = 0;
  stepDelta_ = 0;
  untoldFrom_ = 0;
  untoldCount_ = 0;
}

void ComposedLines::PushBack(const ComposedLine& line) {
  StepForward(size());
  starts_.push_back(line.start);
  places_.push_back({line.length, line.frame, line.lineInFrame, false});
  stepFrom_ = size();
}

void ComposedLines::Truncate(size_t n) {
  if (n >= size()) return;
  ForgetUntold(n, size());
  starts_.resize(n);
  places_.resize(n);
  stepFrom_ = std::min(stepFrom_, n);
}

void ComposedLines::StepForward(size_t n) {
  n = std::min(n, size());
  for (size_t i = stepFrom_; i < n; ++i) starts_[i] += stepDelta_;
  stepFrom_ = std::max(stepFrom_, n);
}

void ComposedLines::StepBack(size_t n) {
  for (size_t i = n; i < stepFrom_; ++i) starts_[i] -= stepDelta_;
  stepFrom_ = std::min(stepFrom_, n);
}

void ComposedLines::Splice(size_t k, size_t tail, const std::vector<ComposedLine>& fresh, int32 delta) {
  tail = std::min(std::max(tail, k), size());
  // The lines kept before the change hold real starts.
  StepForward(k);
  const size_t replaced = tail - k;
  ForgetUntold(k, tail);
  if (untoldFrom_ >= tail) untoldFrom_ = untoldFrom_ - replaced + fresh.size();
  else if (untoldFrom_ > k) untoldFrom_ = k + fresh.size();
  const auto offset = [](size_t n) { return static_cast<std::ptrdiff_t>(n); };
  if (replaced > fresh.size()) {
    starts_.erase(starts_.begin() + offset(k + fresh.size()), starts_.begin() + offset(tail));
    places_.erase(places_.begin() + offset(k + fresh.size()), places_.begin() + offset(tail));
  } else if (replaced < fresh.size()) {
    starts_.insert(starts_.begin() + offset(tail), fresh.size() - replaced, 0);
    places_.insert(places_.begin() + offset(tail), fresh.size() - replaced, Place{});
  }
  for (size_t i = 0; i < fresh.size(); ++i) {
    starts_[k + i] = fresh[i].start;
    places_[k + i] = {fresh[i].length, fresh[i].frame, fresh[i].lineInFrame, false};
  }
  const size_t rest = k + fresh.size();
  // A step that began past the lines replaced moves with the lines after
  // them; one that began among them now begins after the fresh ones, which
  // are real.
  stepFrom_ = stepFrom_ >= tail ? stepFrom_ - replaced + fresh.size() : rest;
  if (delta == 0) return;
  // Lines [rest, stepFrom_) are real; moving them all by `delta` moves the
  // step's start back to `rest`, the shorter way from where it is.
  if (stepFrom_ - rest <= size() - stepFrom_) {
    StepBack(rest);
    stepDelta_ += delta;
    return;
  }
  // Nearer the end: the step ends there, and only the lines after it move.
  StepForward(size());
  stepFrom_ = rest;
  stepDelta_ = delta;
}

void ComposedLines::MarkUntold(size_t n) {
  if (places_[n].untold) return;
  places_[n].untold = true;
  untoldFrom_ = untoldCount_++ == 0 ? n : std::min(untoldFrom_, n);
}

void ComposedLines::TakeUntold(size_t from, size_t to, std::vector<int32>* lines) {
  to = std::min(to, size());
  if (!AnyUntoldBefore(to)) return;
  const bool fromFirst = from <= untoldFrom_;
  for (size_t n = std::max(from, untoldFrom_); n < to && untoldCount_ > 0; ++n) {
    if (!places_[n].untold) continue;
    places_[n].untold = false;
    --untoldCount_;
    lines->push_back(static_cast<int32>(n));
  }
  if (fromFirst) untoldFrom_ = to;
}

void ComposedLines::ForgetUntold(size_t from, size_t to) {
  for (size_t n = std::max(from, untoldFrom_); n < to && untoldCount_ > 0; ++n)
    if (places_[n].untold) --untoldCount_;
}
