#pragma once
// SOURCE_DATE_EPOCH, as reproducible builds set it: the time every time stamp
// takes, given as whole seconds since 1970.
#include "host/IDTypes.h"
#include <string>

// In microseconds. False when it is not set; false with a message when it is
// set but is not such a number.
bool SourceDateEpochMicros(int64* micros, std::string* error);
// Where a session's time starts: SOURCE_DATE_EPOCH when it is set, else now.
int64 SessionStartMicros();
