#pragma once
// The paragraph a Basic format's paragraph-style condition points at: the
// paragraph holding an index or, stepping paragraph by paragraph backwards
// (or forwards), the nearest one of the style.
#include "host/IDTypes.h"
#include "host/UIDRef.h"

// The start of that paragraph; -1 when the story's end is reached first.
TextIndex XRefFindStyledParagraph(const UIDRef& story, TextIndex at, UID style, bool forward);
