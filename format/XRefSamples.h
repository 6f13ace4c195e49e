#pragma once
// Sample output of the building blocks, for formats shown without a
// document: fixed texts and pseudo-random numbers.
#include "format/ComposedRun.h"
#include <vector>

// A pseudo-random integer from lo to hi inclusive.
int32 XRefSampleNumber(int32 lo, int32 hi);
// Appends one run of text without attributes of its own.
void XRefAppendRun(std::vector<ComposedRun>& runs, const WideString& text);
void XRefAppendRun(std::vector<ComposedRun>& runs, const char* utf8);
void XRefAppendNumberRun(std::vector<ComposedRun>& runs, int32 n, const char* suffix = "");
