#pragma once
// The shapes of the marker glyphs: brackets for start and end text markers
// and the source marker's pin, drawn for one owned item of a composed line.
#include "host/IGraphicsPort.h"
#include "host/IWaxGeometry.h"

namespace XRefMarkerGlyphs {
enum Kind { kOpeningBracket, kClosingBracket, kSourceMarker };
// Draws the glyph of the item anchored at `at` of the line.
void Draw(Kind kind, const IWaxGeometry* line, TextIndex at, IGraphicsPort* port);
}  // namespace XRefMarkerGlyphs
