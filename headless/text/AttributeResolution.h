#pragma once
// Resolving a character's attributes: the host's defaults, then what the
// root paragraph style sets (the document's base), then its paragraph style,
// then its character style, then its own attributes.
#include "headless/text/CharAttrs.h"
#include "host/IDataBase.h"

// The nine character attributes and the language, at the host's defaults:
// no font, "Regular", 12 points, no colour, no underline, strikethrough or
// no-break, normal position and capitalisation, no language.
AttributeBossList DefaultTextAttributes();
AttributeBossList ResolveTextAttributes(IDataBase* db, UID paragraphStyle, const CharAttrs& chars);
// What a style sets; empty when the UID names no style.
AttributeBossList StyleAttributes(IDataBase* db, UID style);
