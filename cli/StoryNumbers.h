#pragma once
// The one numbering of stories the program uses, in what it prints and in
// every STORY:INDEX it takes: a story's position, from 0, in the document's
// story list, footnote stories included. `xref describe` lists them all.
#include "host/IDTypes.h"
#include "host/UID.h"
#include <string>

class IDataBase;

// The story's number; -1 when it is not in the story list.
int32 StoryNumber(IDataBase* doc, UID story);
// The story with that number; kInvalidUID when there is none.
UID StoryWithNumber(IDataBase* doc, int32 number);

struct StoryPosition {
  UID story = kInvalidUID;
  TextIndex index = -1;
};
// Reads "STORY:INDEX" (both decimal) and checks that the story exists and
// that 0 <= INDEX < its length. False with a message saying which part is
// wrong.
bool ParseStoryPosition(IDataBase* doc, const std::string& text, StoryPosition* out, std::string* error);
