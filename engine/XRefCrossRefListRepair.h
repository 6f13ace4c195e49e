#pragma once
// Repairs an opened document's cross-reference list: entries whose object is
// gone, or whose cross-reference lost a text marker or its anchor, are
// removed (with the cross-reference and the remaining marker); sound ones
// stay. Text markers that still name a cross-reference that is gone forget
// it, since new objects may take its UID. Runs while the document opens,
// outside any undo step.
#include "host/UIDRef.h"

namespace XRefCrossRefListRepair {
// How many entries were removed.
int32 Repair(const UIDRef& doc);
}  // namespace XRefCrossRefListRepair
