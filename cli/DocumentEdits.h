#pragma once
// Text edits of `xref edit`: insert at STORY:INDEX, delete a range, lock or
// unlock a story. Stories count from 0 in the document's story list.
#include "headless/database/DataBase.h"
#include <nlohmann/json.hpp>
#include <string>

struct DocumentEdit {
  std::string kind;  // insert, delete, lock, unlock
  int32 document = 0;
  int32 story = 0;
  int32 at = 0;      // insert: index; delete: start
  int32 length = 0;  // delete: length
  std::string text;  // insert: UTF-8
};

// From the command line: "STORY:INDEX:TEXT" (insert), "STORY:START:LENGTH"
// (delete), "STORY" (lock, unlock).
bool ParseEdit(const std::string& kind, const std::string& spec, DocumentEdit* edit, std::string* error);
// From a script: an array of {"edit": kind, "document", "story", "at",
// "length", "text"}.
bool ParseEditScript(const nlohmann::json& script, std::vector<DocumentEdit>* edits, std::string* error);
// Applies one edit as the user would, as one undoable step.
bool ApplyEdit(DataBase* doc, const DocumentEdit& edit, std::string* error);
