#pragma once
// Object identifiers within one database. kInvalidUID names no object; UID 1
// is the root object of a database.
#include "IDTypes.h"

enum class UID : uint32_t {};
constexpr UID kInvalidUID{0};
constexpr UID kRootUID{1};
inline uint32_t UIDValue(UID u) { return static_cast<uint32_t>(u); }
