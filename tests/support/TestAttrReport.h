#pragma once
// A plug-in-like attribute class: the host's UID-holding attribute plus a
// report that keeps it off typed text, styles and resolved lists, and copies
// it with text.
#include "host/IDTypes.h"

constexpr ClassID kTestReportedAttrBoss{0x7C31};
// The same, but copies of text leave it behind.
constexpr ClassID kTestUncopiedAttrBoss{0x143F0};
void RegisterTestAttrReport();
