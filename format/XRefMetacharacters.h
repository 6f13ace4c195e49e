#pragma once
#include "host/PMString.h"

// The format language's escapes: typographic quotes become straight ones and
// "^" pairs become single characters, in one left-to-right pass. False on
// success; true on an unknown escape, with the text untouched and the index
// of the character after the caret in *errorPosition (when not null).
bool16 ConvertFormatMetacharacters(PMString& text, int32* errorPosition);
