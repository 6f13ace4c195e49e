#pragma once
// A document laid out for drawing tests: a source story with markers, and a
// story of cross-references in each state, one per line, plus text carrying
// the attribute of a cross-reference that was deleted.
#include "headless/database/DataBase.h"
#include "headless/drawing/SpreadGeometry.h"
#include "headless/drawing/WaxObjects.h"
#include <string>

struct DrawnDocument {
  DataBase* db = nullptr;
  UID source = kInvalidUID, story = kInvalidUID;
  UID sourceMarker = kInvalidUID;  // "Intro", at the source story's start
  UID ok = kInvalidUID, failed = kInvalidUID, broken = kInvalidUID, both = kInvalidUID;
  TextIndex orphanStart = 0;  // "five", carrying a deleted cross-reference's attribute
  int32 orphanLength = 0;
};

// Builds it in a new document of the running application.
DrawnDocument MakeDrawnDocument(class Application& app);
// Turns the document workspace's hidden characters on or off.
void ShowHiddenCharacters(IDataBase* db, bool show);
// Where the glyph of a text index lies, in the spread's coordinates.
struct GlyphCell {
  double x = 0, top = 0;
  int32 line = -1;        // in the story's composition
  TextIndex lineStart = 0;
  int32 lineLength = 0;
};
GlyphCell CellOf(IDataBase* db, UID story, TextIndex at);
// Where the glyph of a text index is drawn, the line set in its fonts:
// its left edge and width in the spread's coordinates.
struct DrawnGlyph {
  double x = 0, width = 0, top = 0;
};
DrawnGlyph DrawnGlyphOf(IDataBase* db, UID story, TextIndex at);
// The place of the whole line holding `at`, as the drawing hands it to adornments.
WaxPlace LinePlace(IDataBase* db, UID story, TextIndex at);
