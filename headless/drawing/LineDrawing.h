#pragma once
// Draws one composed line: the adornments beneath the text (draw priority
// below zero), the text, then those above, each group from the lowest
// priority up. Line adornments come from the owned items composed into the
// line; run adornments from the reports of attributes drawn by adornment.
#include "headless/drawing/CairoGraphicsPort.h"
#include "headless/drawing/WaxObjects.h"
#include "host/IGraphicsPort.h"

struct LineToDraw {
  UIDRef story;
  TextIndex start = 0;
  int32 length = 0;
  int32 lineNumber = 0;  // in the story's composition
  double left = 0, top = 0;
};

// The adornments of a line, drawn on any port. `beneath` picks the group.
void DrawLineAdornments(const LineToDraw& line, int32 flags, bool beneath, IGraphicsPort* port);
// Everything: adornments and the text set with Pango.
void DrawLine(const LineToDraw& line, int32 flags, CairoGraphicsPort* port);
