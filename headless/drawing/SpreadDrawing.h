#pragma once
// Draws a spread in its own coordinates (SpreadGeometry.h): the pasteboard,
// the pages with their names at their feet, the text frames, their
// composed lines and the footnotes of their references. Drawing only reads
// the document; composing stale stories is the layout's business.
#include "headless/drawing/CairoGraphicsPort.h"
#include "headless/drawing/SpreadGeometry.h"
#include "headless/drawing/DrawOptions.h"

// Only the frames and pages that meet `visible` (spread coordinates) are drawn.
void DrawSpread(IDataBase* db, UID spread, const SpreadFrames& frames, const DrawOptions& options, const Box& visible,
                CairoGraphicsPort* port);
