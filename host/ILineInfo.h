#pragma once
// Where the composed line holding a text index sits (on the story).
#include "IPMUnknown.h"
#include "LayoutIDs.h"
#include "PMString.h"
#include "UID.h"

struct LineInfo {
  int32 pageUID = 0;        // the page showing the line (a spread's UID on the pasteboard; 0 when none)
  PMString pageString;      // that page's string as shown
  double baseline = 0;      // the line's vertical position on its page, in points
  int32 frameUID = 0;       // the frame holding the line
  int32 lineStart = 0;      // the line's first text index
  int16 lineInFrame = 0;    // the line's number within its frame, from 0
  int32 lineLength = 0;     // the line's length in code units
  int32 spreadUID = 0;      // the spread holding the page
};

class ILineInfo : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ILINEINFO;
  // False when the index is outside the story or in overset text.
  virtual bool16 GetLineInfo(TextIndex at, LineInfo* info) = 0;
};

// A composed line as owned items see it when their anchor is composed into
// it: its place, and the adornments drawn on it.
class IWaxLine : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IWAXLINE;
  virtual TextIndex GetStart() const = 0;
  virtual int32 GetLength() const = 0;
  virtual UID GetFrameUID() const = 0;
  virtual bool16 HasAdornment(ClassID adornment) const = 0;
  virtual void AddAdornment(ClassID adornment, double drawPriority) = 0;
  virtual int32 GetAdornmentCount() const = 0;
};
