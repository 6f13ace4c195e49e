#pragma once
// A document's cross-references as the program reports them: where they
// are, what they name, their text, their states, and what a check finds.
#include "headless/database/DataBase.h"
#include "model/XRefEvaluation.h"
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

struct CrossRefEntry {
  UID uid = kInvalidUID;
  UID story = kInvalidUID;
  int32 storyNumber = -1;  // as `describe` numbers stories
  TextIndex index = 0;  // its start marker, as scripts' "index" gives it
  std::string page;     // "page 3", "overset", "pasteboard" or "?"
  std::string formatName, format;
  std::string sourceDocument;  // empty for a local source
  std::string sourceMarker;
  std::string text;  // the text between the markers now
  // As the read-only evaluation finds them: the composition state says
  // whether the format composes (-1 while the source is not found).
  int32 sourceState = -1, compositionState = -1;
  std::string sourceMessage, compositionMessage;
  bool locked = false;    // its story is locked against changes
  bool upToDate = false;  // the text is what the format gives now
};

// Where a character of a story is set: "page 3", "overset", "pasteboard"
// or "?".
std::string PageAt(IDataBase* db, UID story, TextIndex at);

// Evaluates every cross-reference without changing the document; sources are
// looked up in the documents open now.
std::vector<CrossRefEntry> ListCrossRefEntries(IDataBase* doc);
nlohmann::json ToJson(const CrossRefEntry& entry);
std::string ToLine(const CrossRefEntry& entry);

struct CheckFinding {
  std::string kind;  // "broken", "failed", "stale" or "locked" (and stale)
  std::string message;
  CrossRefEntry entry;
};

// Broken sources, failed compositions and texts that differ from what
// their format composes now, each cross-reference reported once. Nothing in
// the document changes, so documents can be checked in any order.
std::vector<CheckFinding> CheckCrossRefs(IDataBase* doc);
// The kind of finding an evaluation is, or empty when it is sound.
std::string FindingKind(const XRefEvaluation& evaluation);
