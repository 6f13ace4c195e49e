#include "commands/XRefCommandUtils.h"
#include "host/BroadcastUtils.h"
#include "host/CmdUtils.h"
#include "host/IControllingUnknown.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefSourceMarkerList.h"

ICommand* XRefCommandUtils::CreateCommand(ClassID cls, const UIDList& items) {
  ICommand* cmd = CmdUtils::CreateCommand(cls);
  if (cmd) cmd->SetItemList(items);
  return cmd;
}

// A missing command fails with kInvalidParameterError set, like any other.
bool XRefCommandUtils::Process(ICommand* cmd) { return CmdUtils::ProcessCommand(cmd) == kSuccess; }

bool XRefCommandUtils::SingleItem(const ICommand* cmd, UIDRef* item) {
  const UIDList* items = cmd->GetItemList();
  if (!items || items->Length() != 1 || !items->GetDataBase()) {
    Fail(kInvalidParameterError);
    return false;
  }
  *item = items->GetRef(0);
  return true;
}

void XRefCommandUtils::Fail(ErrorCode code) {
  if (code != kSuccess) ErrorUtils::PMSetGlobalErrorCode(code);
}

IXRefSourceMarkerList* XRefCommandUtils::QueryMarkerList(IDataBase* db) {
  InterfacePtr<IXRefSourceMarkerList> list(db, db ? db->GetRootUID() : kInvalidUID);
  return list.forget();
}

IXRefCrossRefList* XRefCommandUtils::QueryCrossRefList(IDataBase* db) {
  InterfacePtr<IXRefCrossRefList> list(db, db ? db->GetRootUID() : kInvalidUID);
  return list.forget();
}

UIDRef XRefCommandUtils::GetRefData(const ICommand* cmd, PMIID iid) {
  InterfacePtr<IUIDData> data(cmd, iid);
  return data ? data->GetRef() : UIDRef();
}

bool XRefCommandUtils::ProcessMerged(ICommand* cmd) {
  if (!cmd) return Process(cmd);
  cmd->SetUndoability(ICommand::kAutoUndo);
  return Process(cmd);
}

void XRefCommandUtils::NotifyDocument(ICommand* cmd, PMIID protocol) {
  BroadcastUtils::DocumentModelChange(cmd->GetItemList()->GetDataBase(), ::GetClass(cmd), protocol, cmd);
}

void XRefCommandUtils::NotifyApplication(ICommand* cmd, PMIID protocol) {
  BroadcastUtils::ApplicationModelChange(::GetClass(cmd), protocol, cmd);
}
