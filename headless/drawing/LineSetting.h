#pragma once
// A line of a story set as the reader sees it: one Pango piece per run of
// one look, at its natural spacing, whatever columns the line model gave
// the characters. Marker characters and other anchors take no room; a text
// variable shows its text; a footnote reference shows its number raised,
// and a footnote's own reference character its number as the note gives it.
#include "headless/drawing/TextPainter.h"
#include "host/IDataBase.h"
#include <string>
#include <vector>

class SetLine {
public:
  // The text [start, start + length) of the story; `lead` (a paragraph's
  // number) goes first, in the look of the line's first character.
  SetLine(IDataBase* db, UID story, TextIndex start, int32 length, const std::string& lead);
  // Scales the whole line down to the width when it is wider.
  void FitTo(double width);
  double Width() const { return natural_ * scale_; }
  // From the line's left edge: each code unit's glyph; past the line's end,
  // its end and 0.
  double GlyphX(TextIndex at) const;
  double GlyphWidth(TextIndex at) const;
  void Paint(cairo_t* cr, double left, double baseline) const;

private:
  struct Placed {
    TextPiece piece;
    double x;
  };
  // Pending text of one look, with the byte offset of each unit's glyph in
  // its UTF-8 (the second half of a surrogate pair shares the first's).
  struct Pending {
    struct Unit {
      TextIndex at;
      int32 byte;
      bool secondHalf;
    };
    std::u16string units;
    std::vector<Unit> offsets;
    int32 bytes = 0;
    void Append(TextIndex at, char16_t c);
  };
  void Build(IDataBase* db, UID story, class ITextModel* model, const std::u16string& text, const std::string& lead);
  double Add(const std::string& utf8, const TextLook& look);
  void Flush(Pending* pending, const TextLook& look);
  void Place(TextIndex at, double x, double width);

  TextIndex start_;
  std::vector<Placed> pieces_;
  std::vector<double> x_, width_;  // by code unit from start_, unscaled
  double natural_ = 0, scale_ = 1;
};

// The number of the paragraph that starts at `at` with a space after it;
// empty when the paragraph is not numbered or `at` does not start one.
std::string ParagraphLead(IDataBase* db, UID story, TextIndex at);
