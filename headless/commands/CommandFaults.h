#pragma once
// A testing facility: makes the next commands of a class fail on purpose,
// so tests can see how callers live with a command that fails. Processing
// asks it first; while nothing is armed that costs one load and compare.
#include "host/IDTypes.h"

class IPMUnknown;

namespace CommandFaults {
// The next `count` commands of class `cls` that are processed fail with
// `error` (set as the global error code) before doing anything. Arming a
// class again replaces its count and error; a count of 0 disarms it.
void FailNext(ClassID cls, int32 count, ErrorCode error);
// How many injected failures of the class are still to come.
int32 Remaining(ClassID cls);
void ClearAll();
// For processing: kSuccess, or the error of a failure armed for the
// command's class, which it uses up.
ErrorCode Take(const IPMUnknown* cmd);
}  // namespace CommandFaults
