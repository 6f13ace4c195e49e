#pragma once
// The deterministic line model: every character takes one column; a line
// holds at most a frame's columns, breaks after the last space that fits (or
// hard when a word is longer than the line), and ends after a paragraph
// return, which takes no column. Frames fill in thread order; what is left
// when the last frame is full is overset.
//
// A line depends only on the text from its start up to `columns` units
// further, so a composition can start again at any line.
#include "host/IDTypes.h"
#include <string>
#include <vector>

struct FrameBox {
  int32 columns;
  int32 lines;
  bool operator==(const FrameBox& o) const { return columns == o.columns && lines == o.lines; }
};

struct ComposedLine {
  TextIndex start;
  int32 length;
  int32 frame;        // index in the frame boxes
  int32 lineInFrame;
  bool operator==(const ComposedLine& o) const {
    return start == o.start && length == o.length && frame == o.frame && lineInFrame == o.lineInFrame;
  }
};

// The end (exclusive) of the line starting at `start`, for any text that
// answers at(i) for 0 <= i < length.
template <class At>
size_t LineEnd(const At& at, size_t length, size_t start, size_t columns) {
  size_t limit = start + columns;
  for (size_t i = start; i < length && i <= limit; ++i)
    if (at(i) == u'\r') return i + 1;
  if (limit >= length) return length;
  for (size_t i = limit; i > start; --i)
    if (at(i - 1) == u' ') return i;
  // A word longer than the line: break it, but never inside a surrogate pair.
  const char16_t c = at(limit);
  if (limit > start + 1 && c >= 0xDC00 && c <= 0xDFFF) --limit;
  return limit;
}

// Answers the overset start: the first index no line holds.
TextIndex BreakLines(const std::u16string& text, const std::vector<FrameBox>& frames,
                     std::vector<ComposedLine>* lines);
