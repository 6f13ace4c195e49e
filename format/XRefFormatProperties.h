#pragma once
// The `format` attribute: "property: value" pairs separated by ";", read into
// the character attributes they set for text at the destination.
#include "host/AttributeBossList.h"

class IXRefTextLoc;

// Adds the attributes the value sets to `out`. Unknown properties and
// keywords set nothing. kFailure when the destination is missing or invalid,
// or a font family names no font of the destination's document.
ErrorCode ReadFormatProperties(const PMString& value, IXRefTextLoc* destination, AttributeBossList* out);
