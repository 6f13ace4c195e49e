#pragma once
// Errors of a document's database (0x14400 on).
#include "IDTypes.h"

// A new object was asked for, but every UID a stored document may name has
// been handed out.
constexpr ErrorCode kNoMoreUIDsError{0x14400};
