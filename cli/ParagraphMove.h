#pragma once
// The paragraph move of `xref edit`: a whole paragraph, its return
// included, goes in front of a paragraph of the same or another story
// through the host's text move, so the markers in it keep their identity.
#include "cli/DocumentEdits.h"

// Moves paragraph `edit.at` of story `edit.story` in front of paragraph
// `edit.before` of story `edit.toStory`, as one undoable step. A story's
// last paragraph ends in the story's own final return, so it neither moves
// nor has anything moved behind it.
bool MoveParagraph(DataBase* doc, const DocumentEdit& edit, std::string* error);
