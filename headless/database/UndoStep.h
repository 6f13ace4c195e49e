#pragma once
// One undo step of one database: for every object the step touched, its state
// before the step (and, once undone, its state after). An object that did not
// exist before is recorded as absent; an existing one with the serialized
// bytes of each implementation the step dirtied (all of them if deleted).
//
// Large states are kept as patches against the document's state at the time
// the step would be applied: for a step on the undo stack, `before` patches
// the state after it; on the redo stack, `after` patches the state before
// it. An implementation is in `impls` or in `patches`, never both.
//
// Implementations that record their changes as edits (UndoEdit.h) have no
// state in the step unless it created or deleted their object: their edits
// are kept in the order they were made. Undo restores the states first and
// then undoes the edits, newest first; redo redoes the edits, oldest first,
// and then restores the states after. A state of an implementation kept
// whole is older than every edit of it the step keeps.
#include "headless/database/BytePatch.h"
#include "headless/objects/UndoEdit.h"
#include "host/UID.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

struct ObjectState {
  bool exists = false;
  ClassID cls = kInvalidClass;
  std::map<ImplementationID, std::string> impls;
  std::map<ImplementationID, BytePatch> patches;
};

struct RecordedEdit {
  UID uid;
  ImplementationID impl;
  std::unique_ptr<const UndoEdit> edit;
};

struct UndoStep {
  std::string name;
  std::map<UID, ObjectState> before;
  std::map<UID, ObjectState> after;
  std::vector<RecordedEdit> edits;
};

// Whether `states` keep the implementation's state whole (or its object's
// absence), which makes its edits after that point needless.
bool KeepsWhole(const std::map<UID, ObjectState>& states, UID uid, ImplementationID impl);

// Turns the large states of `states` into patches against the full states of
// `base` (same objects and implementations, where base has them).
void PatchLargeStates(std::map<UID, ObjectState>& states, const std::map<UID, ObjectState>& base);
// Turns patches back into full states against `base`; false when a patch's
// base is not the one it was made from, or is missing (unless `partial`:
// then patches without a base stay).
bool ResolveStates(std::map<UID, ObjectState>& states, const std::map<UID, ObjectState>& base, bool partial);
