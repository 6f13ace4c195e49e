#pragma once
// Whether a composed text and the text in the story say the same thing:
// straight and curly quotes of one kind (double, or single) count as equal.
#include "host/PMString.h"

namespace XRefQuoteEquality {
bool Equal(const PMString& composed, const PMString& current);
}
