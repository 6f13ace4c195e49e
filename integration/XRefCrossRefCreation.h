#pragma once
// Creating a cross-reference for a script ("crel" on "xrcr"): at the text
// given ("hsTx", or the "cins" parent itself) two marker characters come in
// place of the text, and the cross-reference is made, wired to its markers,
// anchored and listed, in one step named like the insertion. It is not
// composed: the script updates it when it chooses.
#include "host/IScriptProvider.h"

namespace XRefCrossRefCreation {
ErrorCode Create(const ScriptRequest& request, ScriptData* result);
}
