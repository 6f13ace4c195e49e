#pragma once
// Pictures of a document: PDF files of pages, one PDF page per page, and
// PNG images of a page or of a spread with its pasteboard. Each writes the
// file at `path` as it stands (callers write to a temporary name and rename)
// and answers false with a message when it cannot. A renderer indexes the
// document's frames once, so pictures of every page cost in proportion to
// the pages.
#include "headless/drawing/DrawOptions.h"
#include "headless/drawing/SpreadGeometry.h"
#include <string>
#include <vector>

class Renderer {
public:
  Renderer(IDataBase* db, const DrawOptions& options);
  bool WritePDF(const std::vector<UID>& pages, const std::string& path, std::string* error) const;
  // `item` is a page or a spread; `scale` pixels per point.
  bool WritePNG(UID item, double scale, const std::string& path, std::string* error) const;
  // The part of the spread's coordinates a PNG of the item shows.
  Box PictureBox(UID item) const;
  // The pixels a PNG of the item at the scale would hold.
  double PixelCount(UID item, double scale) const;

private:
  IDataBase* db_;
  DrawOptions options_;
  SpreadFrames frames_;
};
