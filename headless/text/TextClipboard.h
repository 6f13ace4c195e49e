#pragma once
// The host's text clipboard: one copied range at a time, with its
// attributes and, for each owned item in it that travels with text, the
// memento the item gave. Pasting is the paste command's work (ITextModelCmds).
#include "host/UIDRef.h"

namespace TextClipboard {
// Copies [start, start + length) of a story. kTextRangeError, and the
// clipboard unchanged, when the range is not inside the story.
ErrorCode Copy(const UIDRef& story, TextIndex start, int32 length);
bool16 IsEmpty();
void Clear();
// Inserts the clipboard's text at `at` with its attributes (found or made
// in the target's workspace by name when it came from another document),
// then pastes its owned items through their mementos and anchors what they
// report. An item whose paste fails is dropped; the text stays.
ErrorCode PasteInto(const UIDRef& story, TextIndex at);
// Moves [start, start + length) of `from` to `at` in `to`, a story of the
// same document (`at` counts in the text before the move), keeping what the
// clipboard holds. Each owned item in the range is asked for its memento,
// which prepares a move and pastes the same item back; the host anchors it
// at its new character and tells it it moved. An item whose paste fails, or
// that hands over another object, stays behind and is removed with the
// commands its memento gives for the old range. Items without a memento go
// along as they are. Refuses, changing nothing, a range holding the story's
// final return or outside it (kTextRangeError), another document
// (kInvalidParameterError), a destination inside the range
// (kMoveIntoItselfError). Text holders whose whole range moves follow it.
ErrorCode Move(const UIDRef& from, TextIndex start, int32 length, const UIDRef& to, TextIndex at);
// A document is closing: the clipboard keeps its text and attributes, and
// lets go of the mementos and the database it came from.
void ForgetDocument(const IDataBase* db);
}  // namespace TextClipboard
