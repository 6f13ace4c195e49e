#include "headless/drawing/CairoGraphicsPort.h"
#include <algorithm>

CairoGraphicsPort::CairoGraphicsPort(cairo_t* cr) : cr_(cr) { Apply(); }

void CairoGraphicsPort::Save() {
  cairo_save(cr_);
  saved_.push_back(paint_);
}

void CairoGraphicsPort::Restore() {
  if (saved_.empty()) return;  // an unmatched Restore would unbalance Cairo's own stack
  cairo_restore(cr_);
  paint_ = saved_.back();
  saved_.pop_back();
}

void CairoGraphicsPort::SetRGBColor(double r, double g, double b) {
  paint_.r = std::clamp(r, 0.0, 1.0);
  paint_.g = std::clamp(g, 0.0, 1.0);
  paint_.b = std::clamp(b, 0.0, 1.0);
  Apply();
}

void CairoGraphicsPort::SetOpacity(double alpha) {
  paint_.alpha = std::clamp(alpha, 0.0, 1.0);
  Apply();
}

void CairoGraphicsPort::Concat(const PMMatrix& m) {
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, m.a, m.b, m.c, m.d, m.tx, m.ty);
  cairo_transform(cr_, &matrix);
}
