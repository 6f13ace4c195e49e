#pragma once
// Numbers written in the numbering styles of pages, footnotes and chapters.
#include "host/PMString.h"

// Roman numbers above 3999 and numbers below 1 in roman or letter styles
// fall back to arabic digits, which always exist.
PMString FormatNumber(int32 n, int32 style);
