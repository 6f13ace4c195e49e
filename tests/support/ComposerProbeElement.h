#pragma once
// A building block for composer tests whose output its attributes dictate:
//   text    runs separated by "|"
//   size    gives each run an attribute list setting that point size
//   source  "yes" appends a run with the character at the source location
//   result  the code Compose answers
#include "host/IDTypes.h"

constexpr ClassID kTestProbeElementBoss{0x7420};

// Registers the element under the element service until withdrawn; register
// before the application starts so that its DTD holds the element.
void RegisterProbeElement();
void WithdrawProbeElement();
