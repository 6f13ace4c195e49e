#pragma once
// A value for every position of [0, Length()), stored as runs.
//
// Invariants: every run has a positive length, and two adjacent runs never
// hold equal values, so equal content always gives the same runs. Edits
// split, erase and join runs only around the edited range: their cost
// grows with the runs the range covers, not with Length().
#include "headless/text/Partitioning.h"

template <class V>
class RunStyles {
public:
  int32 Length() const { return runs_.Total(); }
  int32 RunCount() const { return runs_.Count(); }

  // The value at pos, with the run holding it; V() outside.
  V ValueAt(int32 pos, int32* runStart = nullptr, int32* runLength = nullptr) const {
    int32 start = 0;
    int32 n = runs_.Find(pos, &start);
    if (n < 0) {
      if (runStart) *runStart = -1;
      if (runLength) *runLength = 0;
      return V();
    }
    if (runStart) *runStart = start;
    if (runLength) *runLength = runs_.LengthOf(n);
    return runs_.ValueOf(n);
  }

  // Inserts `length` positions at pos (0 <= pos <= Length()), each holding
  // value.
  void InsertSpace(int32 pos, int32 length, const V& value) {
    if (length <= 0 || pos < 0 || pos > Length()) return;
    int32 n = pos == Length() ? runs_.Count() : runs_.Find(pos);
    if (n < runs_.Count() && runs_.ValueOf(n) == value && runs_.StartOf(n) < pos) {
      Grow(n, length);
      return;
    }
    n = SplitAt(pos);
    if (n < runs_.Count() && runs_.ValueOf(n) == value) {
      Grow(n, length);
      return;
    }
    if (n > 0 && runs_.ValueOf(n - 1) == value) {
      Grow(n - 1, length);
      return;
    }
    runs_.Insert(n, length, value);
  }

  void DeleteRange(int32 pos, int32 length) {
    if (!Clip(&pos, &length)) return;
    // A range inside one run that keeps some of it only shrinks that run.
    int32 start = 0;
    const int32 n = runs_.Find(pos, &start);
    const int32 runLength = runs_.LengthOf(n);
    if (length < runLength && pos + length <= start + runLength) {
      Grow(n, -length);
      return;
    }
    int32 first = SplitAt(pos);
    int32 end = SplitAt(pos + length);
    runs_.Erase(first, end - first);
    JoinIfEqual(first);
  }

  void FillRange(int32 pos, int32 length, const V& value) {
    if (!Clip(&pos, &length)) return;
    int32 first = SplitAt(pos);
    int32 end = SplitAt(pos + length);
    runs_.Erase(first, end - first);
    runs_.Insert(first, length, value);
    JoinIfEqual(first + 1);
    JoinIfEqual(first);
  }

  // Replaces each value v over [pos, pos + length) by f(v).
  template <class F>
  void Transform(int32 pos, int32 length, F f) {
    if (!Clip(&pos, &length)) return;
    int32 first = SplitAt(pos);
    int32 end = SplitAt(pos + length);
    runs_.ForValues(first, end - first, [&](V& v) { v = f(v); });
    for (int32 n = end; n >= first; --n) JoinIfEqual(n);
  }

  // Calls f(start, length, value) for each run overlapping
  // [pos, pos + length), clipped to it, while f answers true.
  template <class F>
  void ForEach(int32 pos, int32 length, F f) const {
    if (!Clip(&pos, &length)) return;
    int32 first = runs_.Find(pos);
    int32 end = pos + length;
    runs_.Visit(first, [&](int32 start, int32 runLength, const V& value) {
      if (start >= end) return false;
      int32 from = std::max(start, pos), to = std::min(start + runLength, end);
      return static_cast<bool>(f(from, to - from, value));
    });
  }

  // Appends a run, joining the last one when equal; for building from a stream.
  void Append(int32 length, const V& value) {
    if (length <= 0) return;
    int32 last = runs_.Count() - 1;
    if (last >= 0 && runs_.ValueOf(last) == value) {
      Grow(last, length);
      return;
    }
    runs_.PushBack(length, value);
  }

  // Replaces every value v by f(v), where f maps distinct values to
  // distinct values (a renumbering), so no runs join.
  template <class F>
  void MapValues(F f) {
    runs_.ForValues(0, runs_.Count(), [&](V& v) { v = f(v); });
  }

  void Clear() { runs_.Clear(); }

  // For values that each hold one run of their own (an owner's unique
  // tags): the tracker hears the block id of each run's value as it lands
  // (Partitioning::Track), and StartOfTracked finds the run again from it.
  void Track(typename Partitioning<V>::Tracker tracker) { runs_.Track(std::move(tracker)); }
  int32 StartOfTracked(uint32_t block, const V& value) const { return runs_.StartInBlock(block, value); }

private:
  bool Clip(int32* pos, int32* length) const {
    if (*pos < 0) {
      *length += *pos;
      *pos = 0;
    }
    if (*pos + *length > Length()) *length = Length() - *pos;
    return *length > 0;
  }

  void Grow(int32 n, int32 delta) { runs_.SetLength(n, runs_.LengthOf(n) + delta); }

  // Makes pos (0 <= pos <= Length()) a run boundary; answers the index of the
  // run that starts there (RunCount() at the end).
  int32 SplitAt(int32 pos) {
    if (pos >= Length()) return runs_.Count();
    int32 start = 0;
    int32 n = runs_.Find(pos, &start);
    if (start == pos) return n;
    const int32 length = runs_.LengthOf(n);
    const V value = runs_.ValueOf(n);
    runs_.SetLength(n, pos - start);
    runs_.Insert(n + 1, start + length - pos, value);
    return n + 1;
  }

  // Joins runs n - 1 and n when they hold equal values.
  void JoinIfEqual(int32 n) {
    if (n <= 0 || n >= runs_.Count()) return;
    if (!(runs_.ValueOf(n - 1) == runs_.ValueOf(n))) return;
    int32 joined = runs_.LengthOf(n - 1) + runs_.LengthOf(n);
    runs_.Erase(n, 1);
    runs_.SetLength(n - 1, joined);
  }

  Partitioning<V> runs_;
};
