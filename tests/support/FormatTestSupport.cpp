#include "tests/support/FormatTestSupport.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefFormatData.h"

namespace {
InterfacePtr<ICommand> NewCommand(ClassID cls, const UIDRef& workspace) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(cls));
  if (cmd) cmd->SetItemList(UIDList(workspace));
  return cmd;
}
}  // namespace

UIDRef DocWorkspace(IDataBase* db) {
  InterfacePtr<IDocument> document(db, kRootUID, IID_IDOCUMENT);
  return document ? document->GetDocWorkspace() : UIDRef();
}

InterfacePtr<IXRefFormats> FormatsOf(const UIDRef& workspace) { return InterfacePtr<IXRefFormats>(workspace); }

std::vector<std::pair<std::string, std::string>> FormatEntries(const UIDRef& workspace) {
  std::vector<std::pair<std::string, std::string>> entries;
  auto formats = FormatsOf(workspace);
  for (int32 i = 0; formats && i < formats->GetFormatCount(); ++i)
    entries.emplace_back(formats->GetFormatName(i).GetUTF8String(), formats->GetFormatString(i).GetUTF8String());
  return entries;
}

ErrorCode AddFormat(const UIDRef& workspace, const std::string& name, const std::string& markup) {
  auto cmd = NewCommand(kXRefAddFormatCmdBoss, workspace);
  InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)
      ->SetFormatData(PMString(name.c_str()), PMString(markup.c_str()));
  return CmdUtils::ProcessCommand(cmd.get());
}

ErrorCode ModifyFormat(const UIDRef& workspace, int32* index, const std::string& name, const std::string& markup) {
  auto cmd = NewCommand(kXRefModifyFormatCmdBoss, workspace);
  InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)
      ->SetFormatData(PMString(name.c_str()), PMString(markup.c_str()));
  InterfacePtr<IIntData> data(cmd.get(), IID_IINTDATA);
  data->Set(*index);
  const ErrorCode result = CmdUtils::ProcessCommand(cmd.get());
  *index = data->Get();
  return result;
}

ErrorCode DeleteFormat(const UIDRef& workspace, int32 index) {
  auto cmd = NewCommand(kXRefDeleteFormatCmdBoss, workspace);
  InterfacePtr<IIntData>(cmd.get(), IID_IINTDATA)->Set(index);
  return CmdUtils::ProcessCommand(cmd.get());
}
