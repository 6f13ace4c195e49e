#pragma once
// Where things are in a spread's coordinates (points, origin at the first
// page's top-left corner, y downwards). Pages are all one size and sit side
// by side; a frame's position is on its page, or from the spread's origin
// when it lies on the pasteboard; the pasteboard reaches a margin past the
// pages and every frame on it.
#include "host/IDataBase.h"
#include <unordered_map>
#include <vector>

constexpr double kPageWidth = 420.0;   // A5
constexpr double kPageHeight = 595.0;
constexpr double kPasteboardMargin = 36.0;

struct Box {
  double x = 0, y = 0, width = 0, height = 0;
  double Right() const { return x + width; }
  double Bottom() const { return y + height; }
};

// The page's box in its spread; empty when the UID is not a page of a spread.
Box PageBox(IDataBase* db, UID page);
// The frame's box in its spread's coordinates (columns and lines of the line model).
Box FrameRect(IDataBase* db, UID frame);
// The spread holding a page or frame (or the spread itself); kInvalidUID when none.
UID SpreadOf(IDataBase* db, UID item);
// The text frames of every spread, on its pages and pasteboard, story by
// story: found in one walk of the stories, so drawing spread after spread
// costs no more than the frames they hold.
class SpreadFrames {
public:
  explicit SpreadFrames(IDataBase* db);
  const std::vector<UID>& Of(UID spread) const;

private:
  std::unordered_map<UID, std::vector<UID>> frames_;
};
// The spread with its pasteboard.
Box SpreadBox(IDataBase* db, UID spread, const SpreadFrames& frames);
