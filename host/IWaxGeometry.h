#pragma once
// Where a composed line, or a run of it, lies in the drawing's coordinates.
// In a transformed line the positions are the line's own and GetMatrix maps
// them into the drawing; otherwise they are the drawing's and the matrix is
// the identity.
#include "DrawingIDs.h"
#include "IGraphicsPort.h"
#include "IPMUnknown.h"
#include "UIDRef.h"

class IWaxGeometry : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IWAXGEOMETRY;
  virtual UIDRef GetStoryRef() const = 0;
  // The text the line or run holds.
  virtual TextIndex GetStart() const = 0;
  virtual int32 GetLength() const = 0;
  // The line's segment: its top and bottom edges.
  virtual double GetTop() const = 0;
  virtual double GetBottom() const = 0;
  // The left edge and the width of the glyph of a text index of the line;
  // past the line's end, its end and 0.
  virtual double GetGlyphX(TextIndex at) const = 0;
  virtual double GetGlyphWidth(TextIndex at) const = 0;
  virtual bool16 IsTransformed() const = 0;
  virtual PMMatrix GetMatrix() const = 0;
};
