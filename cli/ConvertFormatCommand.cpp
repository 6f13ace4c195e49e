// xref convert-format NAME MARKUP [--doc DOC|DESC.json]: converts a format
// into the host's Basic formats, in a new document or in the given one
// (which is not saved), and prints each Basic format with its building
// blocks, then the warnings of the conversion log and, for a format the
// language rejects, why ("invalid: ...", as validate says it). Exit 1 when
// there are warnings or the format is invalid: the Basic formats do not say
// all the format said.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentSource.h"
#include "cli/FormatReason.h"
#include "commands/IXRefConvertFormatCmdData.h"
#include "commands/XRefCommandID.h"
#include "engine/IXRefConversionLog.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/IStyleGroupManager.h"
#include "host/InterfacePtr.h"
#include <iostream>

namespace {
const char* const kBlockNames[] = {"custom text",      "file name",      "chapter number", "page number",
                                   "full paragraph",   "paragraph number", "paragraph text", "text anchor name"};

// Style paths with ":" between groups and name, as formats write them.
std::string StyleName(IDataBase* db, UID style) {
  InterfacePtr<IStyleInfo> info(db, style, IID_ISTYLEINFO);
  if (!info) return "?";
  std::u16string path = info->GetFullPath().Units();
  for (char16_t& c : path)
    if (c == 0xE00B) c = u':';
  return WideString(path).GetUTF8String();
}

class ConvertFormatCommand : public CliCommand {
public:
  ConvertFormatCommand() : CliCommand("convert-format", "Show the Basic formats a format converts to, with warnings") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("name", name_, "Format name")->required();
    sub->add_option("markup", markup_, "Format mark-up")->required();
    sub->add_option("--doc", doc_, "Document file or JSON description whose styles the format names");
  }

  int Run() override {
    std::string error;
    SessionOptions options;
    options.prefsPath = "-";  // the conversion depends on no preference
    auto app = StartSession(options, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    DataBase* doc = doc_.empty() ? app->NewDocument() : OpenOrBuildDocument(*app, doc_, &error);
    if (!doc) {
      PrintError(error);
      return kExitUsage;
    }
    InterfacePtr<IBasicXRefFormatList> list(doc, kRootUID, IID_IBASICXREFFORMATLIST);
    const int32 before = list ? list->GetFormatCount() : 0;
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefConvertFormatCmdBoss));
    cmd->SetItemList(UIDList(doc, kRootUID));
    InterfacePtr<IXRefConvertFormatCmdData>(cmd.get(), IID_IXREFCONVERTFORMATCMDDATA)
        ->SetFormatData(PMString(name_.c_str()), PMString(markup_.c_str()));
    if (!list || CmdUtils::ProcessCommand(cmd.get()) != kSuccess) {
      PrintError("the format \"" + name_ + "\" could not be converted");
      return kExitUsage;
    }
    // A format replaced by the conversion leaves the list and the new ones
    // come last: what is past the old count, or everything when a
    // replacement shortened the list, is new.
    for (int32 i = list->GetFormatCount() > before ? before : 0; i < list->GetFormatCount(); ++i)
      Print(doc, list->GetNthFormat(i));
    InterfacePtr<IXRefConversionLog> log(doc, kRootUID, IID_IXREFCONVERSIONLOG);
    const bool warned = log && !log->IsEmpty();
    if (warned) std::cout << "warnings:\n" << log->GetLog().GetUTF8String() << "\n";
    // The conversion reads what it can of a format the parser rejects and
    // keeps quiet about the rest: the reason is said here.
    const std::string reason = InvalidFormatReason(markup_);
    if (!reason.empty()) std::cout << "invalid: " << reason << "\n";
    return warned || !reason.empty() ? kExitFinding : kExitOK;
  }

private:
  static void Print(IDataBase* db, UID uid) {
    InterfacePtr<IBasicXRefFormat> format(db, uid, IID_IBASICXREFFORMAT);
    if (!format) return;
    std::cout << "Basic format \"" << format->GetName().GetUTF8String() << "\":\n";
    for (const XRefBuildingBlock& block : format->GetBuildingBlocks()) {
      const int32 type = block.GetType();
      std::cout << "  " << (type >= 0 && type <= 7 ? kBlockNames[type] : "no type");
      if (type == XRefBuildingBlock::kCustomText) std::cout << " \"" << block.GetCustomText().GetUTF8String() << "\"";
      if (block.GetCharacterStyle() != kInvalidUID)
        std::cout << ", character style \"" << StyleName(db, block.GetCharacterStyle()) << "\"";
      std::cout << "\n";
    }
  }

  std::string name_, markup_, doc_;
};
ConvertFormatCommand gConvertFormat;
}  // namespace
