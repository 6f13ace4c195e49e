#pragma once
// Text edits of `xref edit`: insert at STORY:INDEX, delete a range, move a
// paragraph, lock or unlock a story. Stories and paragraphs count from 0.
#include "headless/database/DataBase.h"
#include <nlohmann/json.hpp>
#include <string>

struct DocumentEdit {
  std::string kind;  // insert, delete, move-paragraph, lock, unlock
  int32 document = 0;
  int32 story = 0;
  int32 at = 0;      // insert: index; delete: start; move-paragraph: the paragraph
  int32 length = 0;  // delete: length
  std::string text;  // insert: UTF-8
  int32 toStory = 0;  // move-paragraph: the destination story
  int32 before = 0;   // move-paragraph: the paragraph it goes in front of
};

// From the command line: "STORY:INDEX:TEXT" (insert), "STORY:START:LENGTH"
// (delete), "STORY:PARAGRAPH:STORY:PARAGRAPH" (move-paragraph), "STORY"
// (lock, unlock).
bool ParseEdit(const std::string& kind, const std::string& spec, DocumentEdit* edit, std::string* error);
// From a script: an array of {"edit": kind, "document", "story", "at",
// "length", "text"}; a move-paragraph names "paragraph", "toStory" and
// "before" instead of "at".
bool ParseEditScript(const nlohmann::json& script, std::vector<DocumentEdit>* edits, std::string* error);
// Applies one edit as the user would, as one undoable step.
bool ApplyEdit(DataBase* doc, const DocumentEdit& edit, std::string* error);
