#pragma once
// A document's cross-references as the program reports them: where they
// are, what they name, their text, their states, and what a check finds.
#include "headless/database/DataBase.h"
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
  int32 sourceState = -1, compositionState = -1;
  std::string sourceMessage, compositionMessage;
};

// Looks every source up (without opening documents), so the source states
// are fresh; the composition states are what the last update left.
std::vector<CrossRefEntry> ListCrossRefEntries(IDataBase* doc);
nlohmann::json ToJson(const CrossRefEntry& entry);
std::string ToLine(const CrossRefEntry& entry);

struct CheckFinding {
  std::string kind;  // "broken", "failed" or "stale"
  std::string message;
  CrossRefEntry entry;
};

// Broken sources, failed compositions and texts that differ from what
// their format composes now, each cross-reference reported once. Composes
// in memory: the document is changed but never written.
std::vector<CheckFinding> CheckCrossRefs(IDataBase* doc);
