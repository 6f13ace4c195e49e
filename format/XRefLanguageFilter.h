#pragma once
// The `lang` condition: an element is output only where the destination's
// language is one of those its value names.
#include "host/PMString.h"

class IXRefTextLoc;

// The translated name of the language text inserted at the destination
// would carry; empty when it has none.
PMString DestinationLanguageName(IXRefTextLoc* destination);
// Whether the ";"-separated list names the language, ignoring letter case
// and the white space around each name. An empty name matches nothing.
bool16 LanguageListNames(const PMString& list, const PMString& language);
