#pragma once
// The names scripts use for script identifiers: properties, methods and the
// collections of objects of a class. docs/scripting.md lists them.
#include "host/ScriptObjectModel.h"
#include <string>

namespace ScriptDictionary {
bool PropertyCode(const std::string& name, ScriptID* code);
bool MethodCode(const std::string& name, ScriptID* code);
// The class of the objects a collection of that name holds.
bool CollectionClass(const std::string& name, ScriptID* cls);
// The name scripts know a class by ("CrossReference"); the code's four
// characters for one the dictionary does not name.
std::string ClassName(ScriptID cls);
// The four characters of a code.
std::string CodeText(ScriptID code);
}  // namespace ScriptDictionary
