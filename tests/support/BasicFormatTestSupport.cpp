#include "tests/support/BasicFormatTestSupport.h"
#include "commands/IXRefConvertFormatCmdData.h"
#include "commands/XRefCommandID.h"
#include "engine/IXRefConversionLog.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/InterfacePtr.h"

ErrorCode ConvertFormat(IDataBase* doc, const std::string& name, const std::string& markup) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefConvertFormatCmdBoss));
  if (!cmd) return kInvalidParameterError;
  cmd->SetItemList(UIDList(doc, kRootUID));
  InterfacePtr<IXRefConvertFormatCmdData>(cmd.get(), IID_IXREFCONVERTFORMATCMDDATA)
      ->SetFormatData(PMString(name.c_str()), PMString(markup.c_str()));
  return CmdUtils::ProcessCommand(cmd.get());
}

std::vector<std::string> BasicFormats(IDataBase* doc) {
  static const char* const kTypes[] = {"text", "filename", "chapnum", "page", "fullpara", "paranum", "paratext",
                                       "anchor"};
  std::vector<std::string> out;
  InterfacePtr<IBasicXRefFormatList> list(doc, kRootUID, IID_IBASICXREFFORMATLIST);
  for (int32 i = 0; list && i < list->GetFormatCount(); ++i) {
    InterfacePtr<IBasicXRefFormat> format(doc, list->GetNthFormat(i), IID_IBASICXREFFORMAT);
    std::string line = format->GetName().GetUTF8String() + ":";
    const char* separator = " ";
    for (const XRefBuildingBlock& b : format->GetBuildingBlocks()) {
      line += separator;
      separator = " | ";
      line += b.GetType() >= 0 && b.GetType() <= 7 ? kTypes[b.GetType()] : "none";
      if (b.GetType() == XRefBuildingBlock::kCustomText) line += " '" + b.GetCustomText().GetUTF8String() + "'";
      if (b.GetCharacterStyle() != kInvalidUID) line += "/" + std::to_string(UIDValue(b.GetCharacterStyle()));
    }
    out.push_back(line);
  }
  return out;
}

std::string ConversionLog(IDataBase* doc) {
  InterfacePtr<IXRefConversionLog> log(doc, kRootUID, IID_IXREFCONVERSIONLOG);
  return log ? log->GetLog().GetUTF8String() : "<no log>";
}

std::string Warning(int number) {
  std::string key = "QX#0xF2C#kXRefMigrationWarning" + std::string(number < 10 ? "0" : "") + std::to_string(number);
  PMString text(key.c_str());
  text.Translate();
  return text.GetUTF8String();
}
