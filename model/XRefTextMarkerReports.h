#pragma once
// What the two text-marker owned items share: their memento, the marker
// adornment on a line, and the start marker's report of its cross-reference.
#include "host/IOwnedItemMemento.h"
#include "host/IPMUnknown.h"

namespace XRefTextMarkerReports {
// A new memento standing for the marker, with a reference the caller
// releases; null when it cannot be made.
IOwnedItemMemento* CreateMemento(const IPMUnknown* marker);
// Puts the marker adornment on the line unless it is there already.
void Adorn(IPMUnknown* line);
// Tells the document's scheduler that the marker's cross-reference changed,
// unless the change comes from that cross-reference's own update.
void ReportCrossRefChanged(const IPMUnknown* marker);
}  // namespace XRefTextMarkerReports
