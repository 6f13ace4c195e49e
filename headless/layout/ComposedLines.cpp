#include "headless/layout/ComposedLines.h"
#include <algorithm>

// The first line that is not `before`: lines' starts and slots rise, so a
// search by halves finds it.
template <class Before>
size_t ComposedLines::FirstNot(Before before) const {
  size_t low = 0, high = size();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (before(mid)) low = mid + 1;
    else high = mid;
  }
  return low;
}

size_t ComposedLines::FirstStartingAfter(TextIndex at) const {
  return FirstNot([&](size_t n) { return Start(n) <= at; });
}

size_t ComposedLines::FirstStartingFrom(TextIndex at) const {
  return FirstNot([&](size_t n) { return Start(n) < at; });
}

ComposedLine ComposedLines::operator[](size_t n) const {
  const int32 slot = Slot(n);
  const int32 frame = FrameOfSlot(slot);
  return {Start(n), places_[n].length, frame, slot - firstSlots_[static_cast<size_t>(frame)]};
}

std::pair<size_t, size_t> ComposedLines::OfFrame(int32 frame) const {
  if (frame < 0 || static_cast<size_t>(frame) + 1 >= firstSlots_.size()) return {0, 0};
  const int32 from = firstSlots_[static_cast<size_t>(frame)], to = firstSlots_[static_cast<size_t>(frame) + 1];
  return {FirstNot([&](size_t n) { return Slot(n) < from; }), FirstNot([&](size_t n) { return Slot(n) < to; })};
}

void ComposedLines::SetFrameSlots(const std::vector<int32>& firstSlots) {
  firstSlots_ = firstSlots.empty() ? std::vector<int32>{0} : firstSlots;
  frameOfSlot_.assign(static_cast<size_t>(firstSlots_.back()), 0);
  for (size_t f = 0; f + 1 < firstSlots_.size(); ++f)
    for (int32 s = firstSlots_[f]; s < firstSlots_[f + 1]; ++s) frameOfSlot_[static_cast<size_t>(s)] = static_cast<int32>(f);
}

void ComposedLines::Clear() {
  starts_.Clear();
  slots_.Clear();
  places_.Clear();
  stepFrom_ = 0;
  stepDelta_ = 0;
  slotDelta_ = 0;
  untoldFrom_ = 0;
  untoldCount_ = 0;
}

void ComposedLines::PushBack(const ComposedLine& line) {
  StepForward(size());
  starts_.PushBack(line.start);
  slots_.PushBack(SlotOf(line));
  places_.PushBack({line.length, false});
  stepFrom_ = size();
}

void ComposedLines::Truncate(size_t n) {
  if (n >= size()) return;
  ForgetUntold(n, size());
  starts_.Truncate(n);
  slots_.Truncate(n);
  places_.Truncate(n);
  stepFrom_ = std::min(stepFrom_, n);
}

void ComposedLines::StepForward(size_t n) {
  n = std::min(n, size());
  const int32 delta = stepDelta_, slotDelta = slotDelta_;
  starts_.ForEach(stepFrom_, n, [delta](TextIndex& start) { start += delta; });
  if (slotDelta != 0) slots_.ForEach(stepFrom_, n, [slotDelta](int32& slot) { slot += slotDelta; });
  stepFrom_ = std::max(stepFrom_, n);
}

void ComposedLines::StepBack(size_t n) {
  const int32 delta = stepDelta_, slotDelta = slotDelta_;
  starts_.ForEach(n, stepFrom_, [delta](TextIndex& start) { start -= delta; });
  if (slotDelta != 0) slots_.ForEach(n, stepFrom_, [slotDelta](int32& slot) { slot -= slotDelta; });
  stepFrom_ = std::min(stepFrom_, n);
}

void ComposedLines::Splice(size_t k, size_t tail, const std::vector<ComposedLine>& fresh, int32 delta,
                           int32 slotDelta) {
  tail = std::min(std::max(tail, k), size());
  // The lines kept before the change hold real starts.
  StepForward(k);
  const size_t replaced = tail - k;
  ForgetUntold(k, tail);
  if (untoldFrom_ >= tail) untoldFrom_ = untoldFrom_ - replaced + fresh.size();
  else if (untoldFrom_ > k) untoldFrom_ = k + fresh.size();
  if (replaced > fresh.size()) {
    starts_.Erase(k + fresh.size(), tail);
    slots_.Erase(k + fresh.size(), tail);
    places_.Erase(k + fresh.size(), tail);
  } else if (replaced < fresh.size()) {
    starts_.Insert(tail, fresh.size() - replaced, 0);
    slots_.Insert(tail, fresh.size() - replaced, 0);
    places_.Insert(tail, fresh.size() - replaced, Place{0, false});
  }
  for (size_t i = 0; i < fresh.size(); ++i) {
    starts_[k + i] = fresh[i].start;
    slots_[k + i] = SlotOf(fresh[i]);
    places_[k + i] = {fresh[i].length, false};
  }
  const size_t rest = k + fresh.size();
  // A step that began past the lines replaced moves with the lines after
  // them; one that began among them now begins after the fresh ones, which
  // are real.
  stepFrom_ = stepFrom_ >= tail ? stepFrom_ - replaced + fresh.size() : rest;
  if (delta == 0 && slotDelta == 0) return;
  // Lines [rest, stepFrom_) are real; moving them all moves the step's
  // start back to `rest`, the shorter way from where it is.
  if (stepFrom_ - rest <= size() - stepFrom_) {
    StepBack(rest);
    stepDelta_ += delta;
    slotDelta_ += slotDelta;
    return;
  }
  // Nearer the end: the step ends there, and only the lines after it move.
  StepForward(size());
  stepFrom_ = rest;
  stepDelta_ = delta;
  slotDelta_ = slotDelta;
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
