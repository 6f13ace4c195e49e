#pragma once
// Sets composed text with Pango, one glyph per column of the line model, so
// a line's place never depends on the font. The document's font family is
// used when the machine has it; DejaVu Sans otherwise.
#include "host/IDataBase.h"
#include "host/WideString.h"
#include <cairo.h>
#include <string>

struct TextLook {
  std::string family;  // the document's family name; empty for the default
  std::string style;   // "Regular", "Italic", "Bold Italic", ...
  double pointSize = 12;
  double rgb[3] = {0, 0, 0};
};

// The look of the character at an index of a story, from its resolved attributes.
TextLook LookOfText(IDataBase* db, UID story, TextIndex at);
// The family Pango will use for a document family: itself when installed.
std::string InstalledFamilyFor(const std::string& family);
// Draws the units [start, start + count) of `text`, unit i at left + i * advance,
// sitting on the baseline. Control characters and anchors draw nothing.
void PaintText(cairo_t* cr, const WideString& text, int32 start, int32 count, double left, double advance,
               double baseline, const TextLook& look);
