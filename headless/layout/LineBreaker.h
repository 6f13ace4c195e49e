#pragma once
// The deterministic line model: every character takes one column; a line
// holds at most a frame's columns, breaks after the last space that fits (or
// hard when a word is longer than the line), and ends after a paragraph
// return, which takes no column. Frames fill in thread order; what is left
// when the last frame is full is overset.
#include "host/IDTypes.h"
#include <string>
#include <vector>

struct FrameBox {
  int32 columns;
  int32 lines;
};

struct ComposedLine {
  TextIndex start;
  int32 length;
  int32 frame;        // index in the frame boxes
  int32 lineInFrame;
};

// Answers the overset start: the first index no line holds.
TextIndex BreakLines(const std::u16string& text, const std::vector<FrameBox>& frames,
                     std::vector<ComposedLine>* lines);
