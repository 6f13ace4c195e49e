#pragma once
// The host's object copy: an object, with every object it owns, into a
// database (another document's or its own). References among the copied
// objects land on the copies; references to objects left behind stay within
// one database and are cleared across databases.
#include "UIDRef.h"

namespace CopyUtils {
// The copy's UID in `target`, or kInvalidUID when the object does not exist
// or cannot be copied. Inside a command the copy is part of its undo step.
UID CopyObject(const UIDRef& source, IDataBase* target);
}  // namespace CopyUtils
