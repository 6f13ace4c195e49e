#pragma once
// Copies an object, with every object it owns (transferred by XferObject),
// into another database or the same one. References among the copied objects
// are remapped to the copies; references to objects left behind are kept
// within one database and cleared across databases.
#include "headless/database/DataBase.h"
#include <map>

// Answers the copy's UID, or kInvalidUID when the object does not exist or a
// copy cannot be made. `remap`, when given, receives old -> new identifiers.
UID CopyObject(DataBase& from, UID uid, DataBase& to, std::map<UID, UID>* remap = nullptr);
