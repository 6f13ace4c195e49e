#pragma once
// The program's source markers: placing the markers a description asks
// for, and listing a document's markers.
#include "cli/DocumentDescription.h"
#include <string>
#include <vector>

// Inserts the marker of each "sourceMarker" placeholder (fields: "name", a
// non-empty string no other marker of the document has, ignoring case) with
// the plug-in's insertion command, and takes the placeholder out of the
// list. Placeholders after a new marker in its story move past its anchor
// character. False with a message naming the placeholder when one cannot be
// placed; those before it stay placed.
bool PlaceSourceMarkers(DataBase* doc, std::vector<Placeholder>* placeholders, std::string* error);

struct SourceMarkerEntry {
  std::string name;
  UID story = kInvalidUID;              // kInvalidUID when not anchored
  TextIndex index = kInvalidTextIndex;  // the anchor character
  int64 time = 0;                       // the stored time stamp, microseconds
};

// The document's source markers in the order of its source-marker list.
std::vector<SourceMarkerEntry> ListSourceMarkers(IDataBase* doc);
