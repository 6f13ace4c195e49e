#pragma once
// Footnote texts drawn below the frame that holds their references, after
// a short rule: each with its number and separator, broken into lines of
// the frame's columns. The layout reserves no room for them, so nothing in
// the frame moves.
#include "headless/drawing/CairoGraphicsPort.h"
#include "headless/drawing/SpreadGeometry.h"

// The footnotes whose references lie in [start, end) of the story.
void DrawFootnotes(IDataBase* db, UID story, TextIndex start, TextIndex end, const Box& frame, int32 columns,
                   int32 flags, CairoGraphicsPort* port);
