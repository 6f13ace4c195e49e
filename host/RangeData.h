#pragma once
// A range of a story's text: [start, end). A caret is a range with
// start == end.
#include "TextIDs.h"

class RangeData {
public:
  RangeData() = default;
  RangeData(TextIndex start, TextIndex end) : start_(start), end_(end < start ? start : end) {}
  TextIndex Start() const { return start_; }
  TextIndex End() const { return end_; }
  int32 Length() const { return end_ - start_; }
  bool operator==(const RangeData& o) const { return start_ == o.start_ && end_ == o.end_; }
  bool operator!=(const RangeData& o) const { return !(*this == o); }

private:
  TextIndex start_ = 0;
  TextIndex end_ = 0;
};
