#pragma once
// What the host says about the place of a cross-reference: the object that
// holds a story position (a hyperlink source), and showing a document.
#include "host/UIDRef.h"

namespace XRefCrossRefContainer {
// The holder of the position, or a null UIDRef.
UIDRef At(const UIDRef& story, TextIndex at);
// Opens a window on the document (its root).
void ShowDocument(const UIDRef& document);
}  // namespace XRefCrossRefContainer
