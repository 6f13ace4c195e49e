#pragma once
// What the layout relies on in a loaded document: every chain upwards (a
// page to its spread, a frame to its page, a footnote's story to its
// footnote, a footnote to the story of its reference) ends, without loops,
// at objects that exist; lists of spreads, pages and frames name objects of
// those classes; a frame shows a story; a footnote's story names it.
#include <string>

class DataBase;

bool CheckLoadedLayout(DataBase& db, std::string* error);
