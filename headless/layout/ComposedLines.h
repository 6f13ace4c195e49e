#pragma once
// A story's composed lines, in text order. Every edit moves the starts of
// all the lines after it; here that move is kept as one step, applied to
// the lines between one edit and the next as later edits come, so that
// typing in a long story does not touch every later line.
//
// Invariant: the stored start of line i is its start for i < stepFrom_,
// and its start less stepDelta_ from stepFrom_ on; stepFrom_ <= size().
// Starts are kept apart from the rest of each line, so that stepping runs
// over plain integers; lengths, frames and line-in-frame numbers are
// stored as they are.
//
// A line is untold when it went to another frame and the items anchored in
// it have not heard yet: they hear when composing is asked for a place at or
// past the line, not on every edit that moves the lines after it. Invariant:
// untoldCount_ lines are untold, none before untoldFrom_.
#include "headless/layout/LineBreaker.h"
#include <cstddef>
#include <utility>
#include <vector>

class ComposedLines {
public:
  size_t size() const { return starts_.size(); }
  ComposedLine operator[](size_t n) const {
    const Place& place = places_[n];
    return {Start(n), place.length, place.frame, place.lineInFrame};
  }
  TextIndex Start(size_t n) const { return starts_[n] + (n >= stepFrom_ ? stepDelta_ : 0); }
  // The first line starting after `at`, and the first starting at or after it.
  size_t FirstStartingAfter(TextIndex at) const;
  size_t FirstStartingFrom(TextIndex at) const;
  // Lines [first, second) of a frame (by its index).
  std::pair<size_t, size_t> OfFrame(int32 frame) const;

  void Clear();
  void PushBack(const ComposedLine& line);
  void Truncate(size_t n);
  void SetPlace(size_t n, int32 frame, int32 lineInFrame) {
    places_[n].frame = frame;
    places_[n].lineInFrame = lineInFrame;
  }
  // Lines [0, k) stay, `fresh` follows them, and the lines from `tail` on
  // follow it, their starts moved by `delta`. Lines replaced are no longer
  // untold: take those still to be told first.
  void Splice(size_t k, size_t tail, const std::vector<ComposedLine>& fresh, int32 delta);

  void MarkUntold(size_t n);
  bool HasUntold() const { return untoldCount_ > 0; }
  bool AnyUntoldBefore(size_t n) const { return untoldCount_ > 0 && untoldFrom_ < n; }
  // Appends the untold lines of [from, to) to `lines`, in order, and counts
  // them told.
  void TakeUntold(size_t from, size_t to, std::vector<int32>* lines);

private:
  template <class Before>
  size_t FirstNot(Before before) const;
  // Makes the starts of lines [stepFrom_, n) real.
  void StepForward(size_t n);
  // Makes the starts of lines [n, stepFrom_) stepped.
  void StepBack(size_t n);
  // Counts the untold lines of [from, to) out, as they go.
  void ForgetUntold(size_t from, size_t to);

  struct Place {
    int32 length;
    int32 frame;
    int32 lineInFrame;
    bool untold;
  };
  std::vector<TextIndex> starts_;
  std::vector<Place> places_;
  size_t stepFrom_ = 0;
  int32 stepDelta_ = 0;
  size_t untoldFrom_ = 0;
  size_t untoldCount_ = 0;
};
