#pragma once
// Draws one line of a story: the adornments beneath the text (draw priority
// below zero), the text set in its fonts, then those above, each group from
// the lowest priority up. Line adornments come from the owned items
// composed into the line; run adornments from the reports of attributes
// drawn by adornment. Adornments find the glyphs where the text was set.
#include "headless/drawing/CairoGraphicsPort.h"
#include "headless/drawing/WaxObjects.h"
#include "host/IGraphicsPort.h"
#include <string>

struct LineToDraw {
  UIDRef story;
  TextIndex start = 0;
  int32 length = 0;
  int32 lineNumber = -1;  // in the story's composition; -1 for a line outside it (a footnote's)
  double left = 0, top = 0;
  double width = 0;   // the frame's: a wider line is scaled down to it
  std::string lead;   // drawn before the text: a paragraph's number
};

void DrawLine(const LineToDraw& line, int32 flags, CairoGraphicsPort* port);
