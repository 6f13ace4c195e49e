#pragma once
// The one numbering of stories the program uses, in what it prints and in
// every STORY:INDEX it takes: a story's position, from 0, in the document's
// story list, footnote stories included. `xref describe` lists them all.
// A story's length is that of its text before the closing paragraph return
// every story ends with; that return stands at INDEX = length, so indices
// run from 0 to the length. Cross-references are numbered as `describe`
// lists them: their position in the document's list, from 1.
#include "host/IDTypes.h"
#include "host/UID.h"
#include <string>

class IDataBase;

// The story's number; -1 when it is not in the story list.
int32 StoryNumber(IDataBase* doc, UID story);
// The story with that number; kInvalidUID when there is none.
UID StoryWithNumber(IDataBase* doc, int32 number);

// The story's length as the program reports it (above); -1 with no story.
int32 StoryLength(IDataBase* doc, UID story);
// The cross-reference's number; -1 when it is not in the document's list.
int32 CrossRefNumber(IDataBase* doc, UID crossRef);

struct StoryPosition {
  UID story = kInvalidUID;
  TextIndex index = -1;
};
// Reads "STORY:INDEX" (both decimal) and checks that the story exists and
// that 0 <= INDEX <= its length. False with a message saying which part is
// wrong.
bool ParseStoryPosition(IDataBase* doc, const std::string& text, StoryPosition* out, std::string* error);
