#pragma once
// Runs a JavaScript (ES5) script against the open documents through the
// scripting object model. The script sees `app` (its `documents`, each with
// its stories and the collections plug-ins add) and `print()`; it has no
// other way out of the process: no files, no network, no loading of code.
// Everything it changes is one undo step named after the script, unless
// it calls undoStep(name), which closes the step so far and opens another.
#include <cstddef>
#include <ostream>
#include <string>

struct ScriptLimits {
  // Bytes the interpreter may hold at once; 0 sets no limit.
  size_t memoryBytes = 0;
};

// False with "FILE:LINE: message" (or "FILE: message" when the line is not
// known) when the script does not compile or throws.
bool RunScript(const std::string& fileName, const std::string& source, std::ostream& out,
               const ScriptLimits& limits, std::string* error);
