#pragma once
// The composed pieces adornments draw on: a line, or a run of one set of
// attributes within it. The geometry holds the place; a run also answers
// its attributes and records the adornment its attributes' reports name.
#include "host/CPMUnknown.h"
#include "host/IAttrReport.h"
#include "host/IWaxGeometry.h"
#include <utility>
#include <vector>

// Where a piece of a composed line lies. Positions are the glyphs' as the
// line was set, by code unit from the line's start; without them they
// follow the line model: one advance per code unit from the line's left
// edge, none for the paragraph return that ends a line.
struct WaxPlace {
  UIDRef story;
  TextIndex lineStart = 0;
  TextIndex start = 0;
  int32 length = 0;
  double left = 0, top = 0, bottom = 0, advance = 0;
  TextIndex returnAt = -1;  // the line's closing return, if it has one
  std::vector<double> glyphX, glyphWidth;  // as set; empty for the line model
  PMMatrix matrix;          // identity: an untransformed line
};

class WaxGeometryImpl : public CPMUnknown<IWaxGeometry> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(const WaxPlace& place) { place_ = place; }
  UIDRef GetStoryRef() const override { return place_.story; }
  TextIndex GetStart() const override { return place_.start; }
  int32 GetLength() const override { return place_.length; }
  double GetTop() const override { return place_.top; }
  double GetBottom() const override { return place_.bottom; }
  double GetGlyphX(TextIndex at) const override;
  double GetGlyphWidth(TextIndex at) const override;
  bool16 IsTransformed() const override { return !place_.matrix.IsIdentity(); }
  PMMatrix GetMatrix() const override { return place_.matrix; }

private:
  WaxPlace place_;
};

class WaxRunImpl : public CPMUnknown<IWaxRun> {
public:
  using CPMUnknown::CPMUnknown;
  UIDRef GetStoryRef() const override;
  TextIndex GetStart() const override;
  int32 GetLength() const override;
  bool16 GetAttribute(ClassID cls, TextAttribute* out) const override;
  void SetAttrAdornment(ClassID attr, ClassID adornment) override;
  // What the reports named, by attribute class; class 0 for none.
  const std::vector<std::pair<ClassID, ClassID>>& Adornments() const { return adornments_; }

private:
  std::vector<std::pair<ClassID, ClassID>> adornments_;
};

// New pieces (with a reference the caller releases): a line answering
// IWaxGeometry, a run answering IWaxRun and IWaxGeometry.
IPMUnknown* MakeDrawnLine(const WaxPlace& place);
WaxRunImpl* MakeWaxRun(const WaxPlace& place);
