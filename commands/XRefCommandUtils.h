#pragma once
// What the plug-in's commands share: making and running sub-commands,
// checking the item list, and the model-change notifications.
#include "host/ICommand.h"
#include "host/InterfacePtr.h"

class IXRefCrossRefList;
class IXRefSourceMarkerList;

namespace XRefCommandUtils {
// A new command of the class with the item list, with a reference the
// caller releases; null when it cannot be made.
ICommand* CreateCommand(ClassID cls, const UIDList& items);
// True when the command ran without error; the error stays set otherwise.
bool Process(ICommand* cmd);
// The command's single item; otherwise false, with kInvalidParameterError set.
bool SingleItem(const ICommand* cmd, UIDRef* item);
// Sets the error code a failing command reports (a no-op for kSuccess).
void Fail(ErrorCode code);
// The command's single item through interface T, with a reference the
// caller releases, and the item in `item`; null with kInvalidParameterError
// (not one item) or kObjectNotFoundError (no such interface) set.
template <class T>
T* QuerySingleItem(const ICommand* cmd, UIDRef* item) {
  if (!SingleItem(cmd, item)) return nullptr;
  InterfacePtr<T> object(*item);
  if (!object) Fail(kObjectNotFoundError);
  return object.forget();
}
// The source-marker list of the database's document, with a reference the
// caller releases; null when there is none.
IXRefSourceMarkerList* QueryMarkerList(IDataBase* db);
// Likewise the cross-reference list.
IXRefCrossRefList* QueryCrossRefList(IDataBase* db);
// The UIDRef a command's data interface holds; a null UIDRef without it.
UIDRef GetRefData(const ICommand* cmd, PMIID iid);
// Processes a sub-command as part of the step of the command around it.
bool ProcessMerged(ICommand* cmd);
// Broadcasts the command's change (its own class) under the protocol on the
// document of its item list, or sends it to the application's subject.
void NotifyDocument(ICommand* cmd, PMIID protocol);
void NotifyApplication(ICommand* cmd, PMIID protocol);
}  // namespace XRefCommandUtils
