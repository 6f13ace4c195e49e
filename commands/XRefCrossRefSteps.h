#pragma once
// Steps that the commands changing existing cross-references share.
#include "host/ICommand.h"

namespace XRefCrossRefSteps {
// Runs the update command on the cross-references as a user's update (closed
// source documents may be opened); true when it succeeded.
bool Update(const UIDList& crossRefs);
// The cross-reference list of the database's document forgets its lookups,
// since a source or format name may have changed; false without a list.
bool InvalidateIndex(IDataBase* db);
// True while the command has not completed a Do: redoing it must not repeat
// the steps that create or update through other commands.
bool IsFirstExecution(const ICommand* cmd);
}  // namespace XRefCrossRefSteps
