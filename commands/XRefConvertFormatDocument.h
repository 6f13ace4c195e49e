#pragma once
// The XML document a format becomes for its conversion to Basic formats: a
// fixed declaration of the elements Basic formats can come near, with their
// attribute defaults, then the format inside "xref". Narrower than the
// format language's own: the conversion does not check against it, it only
// relies on its defaults.
#include "host/PMString.h"

PMString ConvertFormatDocument(const PMString& convertedFormat);
