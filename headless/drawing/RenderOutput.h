#pragma once
// Pictures of a document: PDF files of pages, one PDF page per page, and
// PNG images of a page or of a spread with its pasteboard. Each writes the
// file at `path` as it stands (callers write to a temporary name and rename)
// and answers false with a message when it cannot.
#include "headless/drawing/SpreadGeometry.h"
#include <string>
#include <vector>

bool WritePDF(IDataBase* db, const std::vector<UID>& pages, int32 flags, const std::string& path, std::string* error);
// `item` is a page or a spread; `scale` pixels per point.
bool WritePNG(IDataBase* db, UID item, int32 flags, double scale, const std::string& path, std::string* error);
// The part of the spread's coordinates a PNG of the item shows.
Box PictureBox(IDataBase* db, UID item);
