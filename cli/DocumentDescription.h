#pragma once
// Builds a document from its plain JSON description (docs/document-format.md).
#include "headless/database/DataBase.h"
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// A place the description marks for a later step to fill: where a source
// marker or a cross-reference stands, with its fields as written.
struct Placeholder {
  std::string kind;  // "sourceMarker" or "crossReference"
  UID story = kInvalidUID;
  TextIndex index = kInvalidTextIndex;
  nlohmann::json fields;
  std::string where;  // its place in the description, for messages
};

// Keeps placeholders taken in text order, story by story, where they were
// meant: each moves by what earlier steps inserted before it in its story,
// one running count per story instead of a pass over the later ones.
class PlaceholderShift {
public:
  // Call once for every placeholder, in order, before using its index.
  void Reach(Placeholder* p) { p->index += added_[p->story]; }
  void Inserted(const Placeholder& p, int32 length) { added_[p.story] += length; }

private:
  std::map<UID, int32> added_;
};

// Reads a description file; false with a message (with line and column for
// a syntax error).
bool ReadDescription(const std::string& path, nlohmann::json* out, std::string* error);
// Fills the document as described, outside any undo step; false with a
// message that names the place in the description. Placeholders come in
// text order, story by story.
bool BuildDocument(const nlohmann::json& description, DataBase* doc, std::vector<Placeholder>* placeholders,
                   std::string* error);
