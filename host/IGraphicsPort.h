#pragma once
// Where drawing goes: a path-based port in points, y growing downwards.
// Paths are built with MoveTo, LineTo, CurveTo and Rectangle and used up by
// Fill or Stroke. Colour, opacity, line width and the transform belong to
// the port's state, which Save and Restore bracket.
#include "IDTypes.h"

// An affine transform: x' = a x + c y + tx, y' = b x + d y + ty.
struct PMMatrix {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  void Transform(double* x, double* y) const {
    const double nx = a * *x + c * *y + tx;
    *y = b * *x + d * *y + ty;
    *x = nx;
  }
  bool IsIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0; }
};

class IGraphicsPort {
public:
  virtual ~IGraphicsPort() = default;
  virtual void Save() = 0;
  virtual void Restore() = 0;
  // Components from 0 to 1.
  virtual void SetRGBColor(double r, double g, double b) = 0;
  // 0 transparent to 1 opaque; applies to fills and strokes alike.
  virtual void SetOpacity(double alpha) = 0;
  virtual void SetLineWidth(double width) = 0;
  // Later coordinates go through the matrix before the current transform.
  virtual void Concat(const PMMatrix& m) = 0;
  virtual void MoveTo(double x, double y) = 0;
  virtual void LineTo(double x, double y) = 0;
  // A cubic curve from the current point through two control points to (x3, y3).
  virtual void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) = 0;
  virtual void ClosePath() = 0;
  virtual void Rectangle(double x, double y, double width, double height) = 0;
  virtual void Fill() = 0;
  virtual void Stroke() = 0;
};
