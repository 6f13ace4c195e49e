#pragma once
// Draws a spread in its own coordinates (SpreadGeometry.h): the pasteboard,
// the pages, the text frames and their composed lines. Drawing only reads
// the document; composing stale stories is the layout's business.
#include "headless/drawing/CairoGraphicsPort.h"
#include "host/IDataBase.h"

void DrawSpread(IDataBase* db, UID spread, int32 flags, CairoGraphicsPort* port);
// The composed lines of one frame, with their adornments.
void DrawFrameText(IDataBase* db, UID frame, int32 flags, CairoGraphicsPort* port);
