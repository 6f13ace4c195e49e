#pragma once
// What changed in each story since the layout last looked: text inserted and
// deleted, and characters whose owned items changed (an edit that removes and
// inserts nothing). The layout asks for the edits since the revision it
// composed, and composes again only from there. Edits are journalled per
// story, a bounded number of them; when the journal no longer reaches back,
// or after undo and redo restored strands from their bytes, the layout
// composes the story from scratch.
#include "host/IDataBase.h"
#include <vector>

struct TextEdit {
  TextIndex at;
  int32 removed;
  int32 inserted;
};

namespace LayoutDamage {
void Record(IDataBase* db, UID story, const TextEdit& edit);
// Every journal forgotten: strands were restored from bytes.
void ForgetAll();
// The story's current revision.
uint64_t Revision(IDataBase* db, UID story);
// The edits made since `revision`, oldest first; false when they are not
// all known.
bool EditsSince(IDataBase* db, UID story, uint64_t revision, std::vector<TextEdit>* out);
}  // namespace LayoutDamage
