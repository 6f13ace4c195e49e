// xref modify DOC --at STORY:INDEX [--source NAME] [--source-doc PATH]
// [--format NAME | --markup M] [--hyperlink] (-o OUT | --in-place):
// changes the cross-reference there; what is not given stays. Without
// --hyperlink its hyperlink, if any, goes.
#include "cli/CliCommand.h"
#include "cli/CrossRefFormatChoice.h"
#include "cli/DocumentWorkflow.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefFormatData.h"
#include <iostream>

namespace {
class ModifyCommand : public CliCommand {
public:
  ModifyCommand() : CliCommand("modify", "Change the source, format or hyperlink of a cross-reference") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    sub->add_option("--at", at_, "STORY:INDEX, a character of the cross-reference")->required();
    sub->add_option("--source", marker_, "Name of the new source marker");
    sub->add_option("--source-doc", sourceDoc_, "Document holding the source marker ('' for this one)");
    auto* format = sub->add_option("--format", format_.name, "Name of a format of the document");
    auto* markup = sub->add_option("--markup", format_.markup, "The cross-reference's own format mark-up");
    format->excludes(markup);
    sub->add_flag("--hyperlink", hyperlink_, "Give it a hyperlink (without: it has none)");
    AddWriteOptions(sub, &write_);
    sourceDocGiven_ = sub->get_option("--source-doc");
  }
  int Run() override {
    int32 storyNumber = 0;
    TextIndex index;
    int32 length;
    if (!ParsePlace(at_, &storyNumber, &index, &length) || length != 0) {
      PrintError("--at " + at_ + ": expected STORY:INDEX");
      return kExitUsage;
    }
    return ChangeDocument(path_, write_, [&](Application&, DataBase* doc, std::string* error) {
      UID story = kInvalidUID;
      if (!StoryOfPlace(doc, storyNumber, &story, error)) return int(kExitUsage);
      const UID uid = CrossRefAt(doc, story, index);
      InterfacePtr<IXRefCrossRef> crossRef(doc, uid);
      if (!crossRef) {
        *error = "no cross-reference at " + at_;
        return int(kExitUsage);
      }
      std::string name = crossRef->GetFormatName().GetUTF8String(), markup = crossRef->GetFormatString().GetUTF8String();
      if ((!format_.name.empty() || !format_.markup.empty()) && !ResolveFormat(doc, format_, &name, &markup, error))
        return int(kExitUsage);
      const std::string source = sourceDocGiven_->count() ? AbsolutePath(sourceDoc_)
                                 : crossRef->IsExternal() ? crossRef->GetSourceDocument().GetPath()
                                                          : std::string();
      const std::string marker = marker_.empty() ? crossRef->GetSourceMarkerName().GetUTF8String() : marker_;
      InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefModifyCrossRefCmdBoss));
      cmd->SetItemList(UIDList(doc, uid));
      InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(IDFile(source));
      InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(marker.c_str()));
      InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)
          ->SetFormatData(PMString(name.c_str()), PMString(markup.c_str()));
      InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(hyperlink_);
      if (!RunCommand(cmd.get(), error)) return int(kExitUsage);
      std::cout << "modified: \"" << crossRef->GetCurrentText(true).GetUTF8String() << "\" ("
                << crossRef->GetSourceStateMessage().GetUTF8String() << ")\n";
      return int(kExitOK);
    });
  }

private:
  std::string path_, at_, marker_, sourceDoc_;
  CLI::Option* sourceDocGiven_ = nullptr;
  FormatChoice format_;
  bool hyperlink_ = false;
  WriteOptions write_;
};
ModifyCommand gModify;
}  // namespace
