#pragma once
// Checks a loaded database must pass before it is handed out: each facility
// adds what its model relies on (acyclic hierarchies, references to objects
// of the right class, strands that agree with their text). A check answers
// false with a message naming the object at fault.
#include <string>

class DataBase;

namespace LoadChecks {
using Check = bool (*)(DataBase& db, std::string* error);
// Adding the same check twice keeps one.
void Add(Check check);
bool RunAll(DataBase& db, std::string* error);
}  // namespace LoadChecks
