#pragma once
// One undo step of one database: for every object the step touched, its state
// before the step (and, once undone, its state after). An object that did not
// exist before is recorded as absent; an existing one with the serialized
// bytes of each implementation the step dirtied (all of them if deleted).
#include "host/UID.h"
#include <map>
#include <string>

struct ObjectState {
  bool exists = false;
  ClassID cls = kInvalidClass;
  std::map<ImplementationID, std::string> impls;
};

struct UndoStep {
  std::string name;
  std::map<UID, ObjectState> before;
  std::map<UID, ObjectState> after;
};
