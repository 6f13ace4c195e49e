#pragma once
// Names and texts come from documents, and a document may hold escape
// sequences; printed raw they would drive the user's terminal. On a
// terminal, standard output shows control characters escaped instead.
#include <ostream>

// Makes `out` escape control characters (but line ends and tabs) when
// `terminal`; does nothing otherwise. Call once, before anything is printed.
void EscapeControlsOn(std::ostream& out, bool terminal);
