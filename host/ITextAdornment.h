#pragma once
// Something drawn with composed text: a line adornment (attached by an owned
// item composed into the line) or a run adornment (named by an attribute's
// report for a run carrying it). Adornments only read the document.
#include "DrawingIDs.h"
#include "IGraphicsPort.h"
#include "IPMUnknown.h"

class ITextAdornment : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTADORNMENT;
  // 16.16 fixed point: below zero drawn beneath the text, otherwise above;
  // lower priorities draw first.
  virtual int32 GetDrawPriority() = 0;
  // The adorned text was recomposed.
  virtual void AdornmentChanged(IPMUnknown* wax) = 0;
  // Draws on the port. `flags` are DrawingFlags; `wax` is the composed line
  // or run, answering IWaxGeometry (and IWaxRun for a run).
  virtual void Draw(int32 flags, IPMUnknown* wax, IGraphicsPort* port) = 0;
  // How far, in points, the adornment draws outside its text's box.
  virtual int32 GetInkOutset() = 0;
};
