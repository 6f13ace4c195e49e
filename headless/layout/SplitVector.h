#pragma once
// A vector with a gap in its storage where the last change was: inserting
// or erasing moves only the elements between the gap and the new place, so
// changes near each other cost what they change, however long the vector.
//
// Invariants: element n is body_[n] for n < gapAt_ and body_[n + gapLength_]
// from gapAt_ on; gapAt_ <= size_; body_.size() == size_ + gapLength_.
#include <algorithm>
#include <cstddef>
#include <vector>

template <class T>
class SplitVector {
public:
  size_t size() const { return size_; }
  const T& operator[](size_t n) const { return body_[n < gapAt_ ? n : n + gapLength_]; }
  T& operator[](size_t n) { return body_[n < gapAt_ ? n : n + gapLength_]; }

  // `count` copies of value before element `at` (at == size() appends).
  void Insert(size_t at, size_t count, const T& value) {
    if (count == 0) return;
    MoveGapTo(at);
    if (gapLength_ < count) Grow(count);
    std::fill(body_.begin() + Offset(gapAt_), body_.begin() + Offset(gapAt_ + count), value);
    gapAt_ += count;
    gapLength_ -= count;
    size_ += count;
  }
  void PushBack(const T& value) { Insert(size_, 1, value); }

  // Elements [first, last) go.
  void Erase(size_t first, size_t last) {
    if (first >= last) return;
    MoveGapTo(first);
    gapLength_ += last - first;
    size_ -= last - first;
  }
  void Truncate(size_t n) { Erase(std::min(n, size_), size_); }
  void Clear() {
    body_.clear();
    size_ = gapAt_ = gapLength_ = 0;
  }

  // Calls f on elements [from, to) in order, a stretch of plain memory at a
  // time, so that loops over many elements stay tight.
  template <class F>
  void ForEach(size_t from, size_t to, F f) {
    to = std::min(to, size_);
    for (size_t n = from; n < std::min(to, gapAt_); ++n) f(body_[n]);
    for (size_t n = std::max(from, gapAt_); n < to; ++n) f(body_[n + gapLength_]);
  }

private:
  static std::ptrdiff_t Offset(size_t n) { return static_cast<std::ptrdiff_t>(n); }

  void MoveGapTo(size_t at) {
    if (at < gapAt_) {
      std::move_backward(body_.begin() + Offset(at), body_.begin() + Offset(gapAt_),
                         body_.begin() + Offset(gapAt_ + gapLength_));
    } else if (at > gapAt_) {
      std::move(body_.begin() + Offset(gapAt_ + gapLength_), body_.begin() + Offset(at + gapLength_),
                body_.begin() + Offset(gapAt_));
    }
    gapAt_ = at;
  }

  // Widens the gap to hold `count` more, and a share of the size besides,
  // so that growing by one again and again copies each element a few times.
  void Grow(size_t count) {
    const size_t wider = std::max(count, size_ / 4 + 16);
    body_.insert(body_.begin() + Offset(gapAt_ + gapLength_), wider - gapLength_, T());
    gapLength_ = wider;
  }

  std::vector<T> body_;
  size_t size_ = 0;
  size_t gapAt_ = 0;
  size_t gapLength_ = 0;
};
