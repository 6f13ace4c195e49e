#pragma once
// Real numbers as the host's 16.16 fixed-point values.
#include "host/IDTypes.h"

// Clamped to the range 16.16 can hold, then rounded to the nearest 1/65536.
int32 XRefToFixed(double x);
