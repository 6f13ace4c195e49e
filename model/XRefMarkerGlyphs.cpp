#include "model/XRefMarkerGlyphs.h"

namespace {
constexpr double kBlue[3] = {79.0 / 255.0, 0.6, 1.0};
constexpr double kDark[3] = {0.28, 0.3, 0.49};

// Maps glyph points into the port: shifted to the item's x and the line's
// top, then through the line's matrix when the line is transformed.
class GlyphPen {
public:
  GlyphPen(const IWaxGeometry* line, double x, IGraphicsPort* port)
      : line_(line), x_(x), top_(line->GetTop()), port_(port) {}
  double Height() const { return line_->GetBottom() - top_; }
  void MoveTo(double x, double y) {
    Map(&x, &y);
    port_->MoveTo(x, y);
  }
  void LineTo(double x, double y) {
    Map(&x, &y);
    port_->LineTo(x, y);
  }
  void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
    Map(&x1, &y1);
    Map(&x2, &y2);
    Map(&x3, &y3);
    port_->CurveTo(x1, y1, x2, y2, x3, y3);
  }
  void Style(const double rgb[3], double lineWidth, double opacity) {
    port_->SetRGBColor(rgb[0], rgb[1], rgb[2]);
    port_->SetLineWidth(lineWidth);
    port_->SetOpacity(opacity);
  }
  IGraphicsPort* Port() { return port_; }

private:
  void Map(double* x, double* y) const {
    *x += x_;
    *y += top_;
    if (line_->IsTransformed()) line_->GetMatrix().Transform(x, y);
  }
  const IWaxGeometry* line_;
  double x_, top_;
  IGraphicsPort* port_;
};

void Bracket(GlyphPen& pen, double w) {
  const double h = pen.Height();
  pen.Style(kBlue, 1.5, 0.75);
  pen.MoveTo(w, 0);
  pen.LineTo(0, 0);
  pen.LineTo(0, h);
  pen.LineTo(w, h);
  pen.Port()->Stroke();
}

// Points given as fractions of the glyph's width (across) and of the line's
// height (down), the glyph centred on the item's position.
void SourceMarker(GlyphPen& pen) {
  const double h = pen.Height(), W = 0.7 * h;
  auto X = [&](double f) { return f * W - W / 2; };
  auto Y = [&](double f) { return f * h; };
  pen.Style(kBlue, 0.3, 0.7);
  pen.MoveTo(X(0.5), Y(0));
  pen.CurveTo(X(0.619), Y(0.04), X(0.549), Y(0.062), X(0.676), Y(0.1));
  pen.CurveTo(X(0.76), Y(0.111), X(0.76), Y(0.2), X(1), Y(0.2));
  pen.CurveTo(X(0.915), Y(0.267), X(0.915), Y(0.267), X(0.76), Y(0.311));
  pen.CurveTo(X(0.619), Y(0.344), X(0.619), Y(0.344), X(0.5), Y(0.311));
  pen.Port()->ClosePath();
  pen.Port()->Fill();

  pen.Style(kDark, 0.75, 1.0);
  pen.MoveTo(X(0.3), Y(1));
  pen.CurveTo(X(0.3), Y(0.867), X(0.7), Y(0.867), X(0.7), Y(1));
  pen.CurveTo(X(0.6), Y(0.98), X(0.4), Y(0.98), X(0.3), Y(1));
  pen.Port()->ClosePath();
  pen.Port()->Fill();

  pen.MoveTo(X(0.5), Y((0.98 + 0.867) / 2));
  pen.LineTo(X(0.5), Y(0));
  pen.Port()->Stroke();
}
}  // namespace

void XRefMarkerGlyphs::Draw(Kind kind, const IWaxGeometry* line, TextIndex at, IGraphicsPort* port) {
  if (!line || !port) return;
  GlyphPen pen(line, line->GetGlyphX(at), port);
  port->Save();
  if (kind == kSourceMarker) {
    SourceMarker(pen);
  } else {
    const double w = 0.25 * pen.Height();
    Bracket(pen, kind == kOpeningBracket ? w : -w);
  }
  port->Restore();
}
