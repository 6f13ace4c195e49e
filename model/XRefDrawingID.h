#pragma once
// Identifiers of the plug-in's status display: the two text adornments and
// their draw priorities.
#include "host/IDTypes.h"
#include "model/XRefModelID.h"

// Glyphs for source markers and brackets for start and end text markers.
constexpr ClassID kXRefTextMarkerAdornmentBoss = kXRefMarkerAdornmentBoss;
// The wash over the text of broken or failed cross-references.
constexpr ClassID kXRefUnresolvedAdornmentBoss{0xF2C0C};

constexpr ImplementationID kXRefTextMarkerTextAdornmentImpl{0xF2C15};
constexpr ImplementationID kXRefUnresolvedTextAdornmentImpl{0xF2C16};

// Above the text, and beneath it, just past the host's own adornments.
constexpr double kXRefGlyphAdornmentPriority = 16384.0 + 0.52;
constexpr double kXRefHighlightAdornmentPriority = -16384.0 - 0.52;
