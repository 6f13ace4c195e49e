#pragma once
// Builds a document from its plain JSON description (docs/document-format.md).
#include "headless/database/DataBase.h"
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

// Reads a description file; false with a message (with line and column for
// a syntax error).
bool ReadDescription(const std::string& path, nlohmann::json* out, std::string* error);
// Fills the document as described, outside any undo step; false with a
// message that names the place in the description. Placeholders come in
// text order, story by story.
bool BuildDocument(const nlohmann::json& description, DataBase* doc, std::vector<Placeholder>* placeholders,
                   std::string* error);
