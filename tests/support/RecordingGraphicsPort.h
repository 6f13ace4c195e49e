#pragma once
// A graphics port that writes down every operation with its numbers, so
// tests compare what adornments draw point by point.
#include "host/IGraphicsPort.h"
#include <string>
#include <vector>

struct PortOp {
  std::string name;
  std::vector<double> args;
};

class RecordingGraphicsPort : public IGraphicsPort {
public:
  void Save() override { Add("Save", {}); }
  void Restore() override { Add("Restore", {}); }
  void SetRGBColor(double r, double g, double b) override { Add("SetRGBColor", {r, g, b}); }
  void SetOpacity(double alpha) override { Add("SetOpacity", {alpha}); }
  void SetLineWidth(double width) override { Add("SetLineWidth", {width}); }
  void Concat(const PMMatrix& m) override { Add("Concat", {m.a, m.b, m.c, m.d, m.tx, m.ty}); }
  void MoveTo(double x, double y) override { Add("MoveTo", {x, y}); }
  void LineTo(double x, double y) override { Add("LineTo", {x, y}); }
  void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) override {
    Add("CurveTo", {x1, y1, x2, y2, x3, y3});
  }
  void ClosePath() override { Add("ClosePath", {}); }
  void Rectangle(double x, double y, double w, double h) override { Add("Rectangle", {x, y, w, h}); }
  void Fill() override { Add("Fill", {}); }
  void Stroke() override { Add("Stroke", {}); }

  std::vector<PortOp> ops;
  // The operations' names only, in order.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const PortOp& op : ops) names.push_back(op.name);
    return names;
  }

private:
  void Add(const char* name, std::vector<double> args) { ops.push_back({name, std::move(args)}); }
};
