#include "commands/XRefCrossRefSteps.h"
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRefList.h"

bool XRefCrossRefSteps::Update(const UIDList& crossRefs) {
  InterfacePtr<ICommand> update(XRefCommandUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss, crossRefs));
  InterfacePtr<IBoolData> live(update.get(), IID_IBOOLDATA);
  if (live) live->Set(false);
  return XRefCommandUtils::Process(update.get());
}

bool XRefCrossRefSteps::InvalidateIndex(IDataBase* db) {
  InterfacePtr<IXRefCrossRefList> list(XRefCommandUtils::QueryCrossRefList(db));
  if (!list) return false;
  list->InvalidateIndex();
  return true;
}

bool XRefCrossRefSteps::IsFirstExecution(const ICommand* cmd) { return cmd->GetCommandState() == ICommand::kNotDone; }
