#pragma once
// Arithmetic on ranges of a story's text. A start and a length read from a
// file or given by a script may each lie near the int32 limit: their sum is
// taken in 64 bits, so that comparing it cannot overflow.
#include "IDTypes.h"

// One past the last index of [start, start + length).
inline int64 TextRangeEnd(TextIndex start, int32 length) { return static_cast<int64>(start) + length; }
