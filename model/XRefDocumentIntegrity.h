#pragma once
// The rules the plug-in's objects of a document keep through every edit,
// checked as a whole:
// - each list (cross-references, source markers) names existing objects of
//   its class, each once, and every such object is listed;
// - a listed cross-reference's markers are of their classes, name it, lie in
//   one story with the start first, and no two cross-references' texts
//   cross; its end marker alone may be gone (it then waits to be removed or
//   relinked);
// - every marker object is anchored at a U+FEFF character of a story, and a
//   text marker names either no cross-reference (a pasted marker still
//   waiting for its partner, or an end marker whose start marker's
//   character was deleted) or one whose marker it is;
// - every U+FEFF character of a story carries a marker: one that does not
//   is an orphan, left by the open-time repair or by damage, which a writer
//   may delete.
#include "host/IDocumentCheck.h"
#include <vector>

namespace XRefDocumentIntegrity {
// Every breach of the rules above, damaged objects first, then orphans by
// story and index.
std::vector<DocumentDamage> FindDamage(IDataBase* db);
}  // namespace XRefDocumentIntegrity
