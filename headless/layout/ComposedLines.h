#pragma once
// A story's composed lines, in text order. Every edit moves the starts of
// all the lines after it, and an edit that adds or removes a line moves
// them all to other slots (the places for lines, frame after frame,
// numbered from 0); here both moves are kept as one step, applied to the
// lines between one edit and the next as later edits come, so that typing
// in a long story does not touch every later line.
//
// Invariant: the stored start and slot of line i are its own for
// i < stepFrom_, and its own less stepDelta_ and slotDelta_ from stepFrom_
// on; stepFrom_ <= size(). Starts and slots are kept apart from the rest of
// each line, so that stepping runs over plain integers.
//
// A line is untold when it went to another frame and the items anchored in
// it have not heard yet: they hear when composing is asked for the line,
// not on every edit that moves the lines after it. Invariant: untoldCount_
// lines are untold, none before untoldFrom_.
#include "headless/layout/LineBreaker.h"
#include "headless/layout/SplitVector.h"
#include <cstddef>
#include <utility>
#include <vector>

class ComposedLines {
public:
  size_t size() const { return starts_.size(); }
  ComposedLine operator[](size_t n) const;
  TextIndex Start(size_t n) const { return starts_[n] + (n >= stepFrom_ ? stepDelta_ : 0); }
  int32 Slot(size_t n) const { return slots_[n] + (n >= stepFrom_ ? slotDelta_ : 0); }
  // A slot past the last (never one of a current line) is in no frame: the
  // answer is the number of frames.
  int32 FrameOfSlot(int32 slot) const {
    return slot >= 0 && static_cast<size_t>(slot) < frameOfSlot_.size() ? frameOfSlot_[static_cast<size_t>(slot)]
                                                                          : static_cast<int32>(firstSlots_.size() - 1);
  }
  // The first line starting after `at`, and the first starting at or after it.
  size_t FirstStartingAfter(TextIndex at) const;
  size_t FirstStartingFrom(TextIndex at) const;
  // Lines [first, second) of a frame (by its index).
  std::pair<size_t, size_t> OfFrame(int32 frame) const;

  // The first slot of each frame, and after them the number of slots; set
  // before any line is added, and again only after Clear().
  void SetFrameSlots(const std::vector<int32>& firstSlots);
  void Clear();
  void PushBack(const ComposedLine& line);
  void Truncate(size_t n);
  void SetSlot(size_t n, int32 slot) { slots_[n] = slot - (n >= stepFrom_ ? slotDelta_ : 0); }
  // Lines [0, k) stay, `fresh` follows them, and the lines from `tail` on
  // follow it, their starts moved by `delta` and their slots by
  // `slotDelta`. Lines replaced are no longer untold: take those still to
  // be told first.
  void Splice(size_t k, size_t tail, const std::vector<ComposedLine>& fresh, int32 delta, int32 slotDelta = 0);

  void MarkUntold(size_t n);
  bool HasUntold() const { return untoldCount_ > 0; }
  bool AnyUntoldBefore(size_t n) const { return untoldCount_ > 0 && untoldFrom_ < n; }
  // Appends the untold lines of [from, to) to `lines`, in order, and counts
  // them told.
  void TakeUntold(size_t from, size_t to, std::vector<int32>* lines);

private:
  template <class Before>
  size_t FirstNot(Before before) const;
  int32 SlotOf(const ComposedLine& line) const { return firstSlots_[static_cast<size_t>(line.frame)] + line.lineInFrame; }
  // Makes the starts and slots of lines [stepFrom_, n) real.
  void StepForward(size_t n);
  // Makes the starts and slots of lines [n, stepFrom_) stepped.
  void StepBack(size_t n);
  // Counts the untold lines of [from, to) out, as they go.
  void ForgetUntold(size_t from, size_t to);

  struct Place {
    int32 length;
    bool untold;
  };
  // Each with its gap where the last splice was: edits one after another
  // through a long story move few lines.
  SplitVector<TextIndex> starts_;
  SplitVector<int32> slots_;
  SplitVector<Place> places_;
  size_t stepFrom_ = 0;
  int32 stepDelta_ = 0;
  int32 slotDelta_ = 0;
  size_t untoldFrom_ = 0;
  size_t untoldCount_ = 0;
  std::vector<int32> firstSlots_{0};
  std::vector<int32> frameOfSlot_;
};
