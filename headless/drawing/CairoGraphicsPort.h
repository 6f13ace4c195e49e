#pragma once
// The graphics port on a Cairo context. Colour and opacity combine into
// Cairo's source, so either may be set first; Save and Restore keep both.
#include "host/IGraphicsPort.h"
#include <cairo.h>
#include <vector>

class CairoGraphicsPort : public IGraphicsPort {
public:
  explicit CairoGraphicsPort(cairo_t* cr);
  cairo_t* Context() const { return cr_; }

  void Save() override;
  void Restore() override;
  void SetRGBColor(double r, double g, double b) override;
  void SetOpacity(double alpha) override;
  void SetLineWidth(double width) override { cairo_set_line_width(cr_, width); }
  void Concat(const PMMatrix& m) override;
  void MoveTo(double x, double y) override { cairo_move_to(cr_, x, y); }
  void LineTo(double x, double y) override { cairo_line_to(cr_, x, y); }
  void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) override {
    cairo_curve_to(cr_, x1, y1, x2, y2, x3, y3);
  }
  void ClosePath() override { cairo_close_path(cr_); }
  void Rectangle(double x, double y, double width, double height) override { cairo_rectangle(cr_, x, y, width, height); }
  void Fill() override { cairo_fill(cr_); }
  void Stroke() override { cairo_stroke(cr_); }

private:
  struct Paint {
    double r = 0, g = 0, b = 0, alpha = 1;
  };
  void Apply() { cairo_set_source_rgba(cr_, paint_.r, paint_.g, paint_.b, paint_.alpha); }
  cairo_t* cr_;
  Paint paint_;
  std::vector<Paint> saved_;
};
