#include "tests/support/CrossRefTestSupport.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefFormatData.h"

UID InsertCrossRef(IDataBase* db, UID story, const CrossRefRequest& r, ErrorCode* err) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertCrossRefCmdBoss));
  if (!cmd) return kInvalidUID;
  cmd->SetItemList(UIDList(db, story));
  InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(r.start, r.length);
  InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(r.source);
  InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(r.marker.c_str()));
  InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)
      ->SetFormatData(PMString(r.formatName.c_str()), PMString(r.format.c_str()));
  InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(r.hyperlink);
  const ErrorCode result = CmdUtils::ProcessCommand(cmd.get());
  if (err) *err = result;
  return cmd->GetItemList()->Length() == 1 ? cmd->GetItemList()->At(0) : kInvalidUID;
}

ErrorCode UpdateCrossRefs(const UIDList& crossRefs, bool live) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss));
  cmd->SetItemList(crossRefs);
  InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(live);
  return CmdUtils::ProcessCommand(cmd.get());
}

ErrorCode RunOn(ClassID command, const UIDRef& item) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(command));
  if (!cmd) return kInvalidParameterError;
  cmd->SetItemList(UIDList(item));
  return CmdUtils::ProcessCommand(cmd.get());
}

InterfacePtr<IXRefCrossRef> CrossRef(IDataBase* db, UID crossRef) { return InterfacePtr<IXRefCrossRef>(db, crossRef); }

InterfacePtr<IXRefCrossRefList> CrossRefList(IDataBase* db) {
  return InterfacePtr<IXRefCrossRefList>(db, db->GetRootUID());
}

std::string CurrentText(IDataBase* db, UID crossRef) {
  InterfacePtr<IXRefCrossRef> x(CrossRef(db, crossRef));
  return x ? x->GetCurrentText(false).GetUTF8String() : std::string("<none>");
}

std::vector<UID> UIDsOf(const UIDList& list) { return list.Items(); }
