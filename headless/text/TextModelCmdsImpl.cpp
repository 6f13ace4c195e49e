#include "headless/text/TextModelCmdsImpl.h"
#include "host/CmdUtils.h"
#include "host/IAttributeListData.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"

ICommand* TextModelCmdsImpl::Make(ClassID cls, TextIndex start, int32 length) const {
  ICommand* cmd = CmdUtils::CreateCommand(cls);
  if (!cmd) return nullptr;
  cmd->SetItemList(UIDList(::GetUIDRef(this)));
  InterfacePtr<IRangeData> range(cmd, IID_IRANGEDATA);
  if (range) range->Set(start, length);
  return cmd;
}

ICommand* TextModelCmdsImpl::InsertCmd(TextIndex at, const WideString& text) {
  ICommand* cmd = Make(kInsertTextCmdBoss, at, 0);
  InterfacePtr<IWideStringData> data(cmd, IID_IWIDESTRINGDATA);
  if (data) data->Set(text);
  return cmd;
}

ICommand* TextModelCmdsImpl::DeleteCmd(TextIndex start, int32 length) {
  return Make(kDeleteTextCmdBoss, start, length);
}

ICommand* TextModelCmdsImpl::ApplyCharStyleCmd(TextIndex start, int32 length, UID style) {
  ICommand* cmd = Make(kApplyCharStyleCmdBoss, start, length);
  InterfacePtr<IUIDData> data(cmd, IID_IUIDDATA);
  if (data) data->Set(UIDRef(::GetDataBase(this), style));
  return cmd;
}

ICommand* TextModelCmdsImpl::ApplyCmd(TextIndex start, int32 length, const AttributeBossList& attrs) {
  ICommand* cmd = Make(kApplyTextAttrCmdBoss, start, length);
  InterfacePtr<IAttributeListData> data(cmd, IID_IATTRIBUTELISTDATA);
  if (data) data->Set(attrs);
  return cmd;
}

ICommand* TextModelCmdsImpl::ApplyParaStyleCmd(TextIndex start, int32 length, UID style) {
  ICommand* cmd = Make(kApplyParaStyleCmdBoss, start, length);
  InterfacePtr<IUIDData> data(cmd, IID_IUIDDATA);
  if (data) data->Set(UIDRef(::GetDataBase(this), style));
  return cmd;
}

ICommand* TextModelCmdsImpl::SetNumberingCmd(TextIndex start, int32 length, int32 kind) {
  ICommand* cmd = Make(kSetNumberingCmdBoss, start, length);
  InterfacePtr<IIntData> data(cmd, IID_IINTDATA);
  if (data) data->Set(kind);
  return cmd;
}

ICommand* TextModelCmdsImpl::PasteCmd(TextIndex at) { return Make(kPasteTextCmdBoss, at, 0); }

ICommand* TextModelCmdsImpl::MoveCmd(TextIndex start, int32 length, UID destination, TextIndex at) {
  ICommand* cmd = Make(kMoveTextCmdBoss, start, length);
  InterfacePtr<IUIDData> story(cmd, IID_IUIDDATA);
  if (story) story->Set(UIDRef(::GetDataBase(this), destination));
  InterfacePtr<IIntData> index(cmd, IID_IINTDATA);
  if (index) index->Set(at);
  return cmd;
}
