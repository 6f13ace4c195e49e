#pragma once
// Class definitions: which implementation a class aggregates under each
// interface identifier, and its parent class. A class inherits its parent's
// interfaces and may override any of them.
#include "host/IDTypes.h"
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct ClassDef {
  ClassID id = kInvalidClass;
  ClassID parent = kInvalidClass;
  std::vector<std::pair<PMIID, ImplementationID>> impls;
};

class ClassRegistry {
public:
  void Define(const ClassDef& def);
  // Adds interfaces to a class defined elsewhere (a host class, say); they
  // take effect whenever the class is defined.
  void AddIn(ClassID id, const std::vector<std::pair<PMIID, ImplementationID>>& impls);
  bool IsDefined(ClassID id) const { return defs_.count(id) != 0; }
  // Interfaces of the class with inherited ones resolved, parent first.
  // False when the class or an ancestor is unknown or the chain loops.
  bool Resolve(ClassID id, std::vector<std::pair<PMIID, ImplementationID>>* out) const;
  bool IsA(ClassID id, ClassID ancestor) const;
  // Classes that aggregate an implementation under the given interface.
  std::vector<ClassID> ClassesWith(PMIID iid) const;
  // Grows with every change to the definitions, so answers cached per class
  // can tell they are out of date.
  uint64_t Generation() const { return generation_; }

  // Reads definitions from resource text: one per line,
  //   class <id> [parent <id>] : <iid>=<impl> <iid>=<impl> ...
  //   addin <id> : <iid>=<impl> ...
  // with numbers in decimal or 0x hex; '#' starts a comment.
  bool ParseDefinitions(const std::string& text, std::string* error);

private:
  std::unordered_map<ClassID, ClassDef> defs_;
  std::unordered_map<ClassID, std::vector<std::pair<PMIID, ImplementationID>>> addins_;
  mutable std::unordered_map<ClassID, std::vector<std::pair<PMIID, ImplementationID>>> resolved_;
  uint64_t generation_ = 0;
};
