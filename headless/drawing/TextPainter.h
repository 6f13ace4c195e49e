#pragma once
// Sets text with Pango in the look of a story's characters: the document's
// font family when the machine has it (DejaVu Sans otherwise), its style,
// size, colour and position. Metrics are unhinted, so a piece measures the
// same at every scale it is drawn at.
#include "host/IDataBase.h"
#include "host/WideString.h"
typedef struct _cairo cairo_t;  // cairo.h, which callers need not see
#include <memory>
#include <string>

struct TextLook {
  std::string family;  // the document's family name; empty for the default
  std::string style;   // "Regular", "Italic", "Bold Italic", ...
  double pointSize = 12;
  double rgb[3] = {0, 0, 0};
  int32 position = 0;  // 0 normal, 1 superscript, 2 subscript
};

// The look of the character at an index of a story: its own resolved
// attributes, not those text typed there would carry.
TextLook LookOfText(IDataBase* db, UID story, TextIndex at);
// The family Pango will use for a document family: itself when installed.
std::string InstalledFamilyFor(const std::string& family);

// One piece of text in one look, laid out at its natural spacing.
class TextPiece {
public:
  TextPiece(const std::string& utf8, const TextLook& look);
  TextPiece(TextPiece&&) noexcept;
  ~TextPiece();
  // The advance of the whole piece, in points.
  double Width() const { return width_; }
  // The left edge and the width of the glyph at a byte offset of the text.
  double GlyphX(int32 byte) const;
  double GlyphWidth(int32 byte) const;
  // Draws the piece with its left edge at x, on the baseline (raised or
  // lowered by its position).
  void Paint(cairo_t* cr, double x, double baseline) const;

private:
  struct Layout;
  std::unique_ptr<Layout> layout_;
  TextLook look_;
  double width_ = 0;
};
