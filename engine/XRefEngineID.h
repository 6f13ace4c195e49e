#pragma once
// Identifiers of the update engine.
#include "host/IDTypes.h"

constexpr PMIID IID_IXREFSCHEDULER{0xF2C0B};
