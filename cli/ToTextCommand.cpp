// xref to-text DOC (--all | --at STORY:INDEX) (-o OUT | --in-place): turns
// cross-references into plain text.
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include <iostream>

namespace {
class ToTextCommand : public CliCommand {
public:
  ToTextCommand() : CliCommand("to-text", "Turn cross-references into plain text") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    auto* all = sub->add_flag("--all", all_, "Every cross-reference of the document");
    auto* at = sub->add_option("--at", at_, "STORY:INDEX, a character of the cross-reference");
    all->excludes(at);
    AddWriteOptions(sub, &write_);
  }
  int Run() override {
    int32 storyNumber = 0;
    TextIndex index = 0;
    int32 length = 0;
    if (!all_ && (at_.empty() || !ParsePlace(at_, &storyNumber, &index, &length) || length != 0)) {
      PrintError("give --all or --at STORY:INDEX");
      return kExitUsage;
    }
    return ChangeDocument(path_, write_, [&](Application&, DataBase* doc, std::string* error) {
      UID story = kInvalidUID;
      if (!all_ && !StoryOfPlace(doc, storyNumber, &story, error)) return int(kExitUsage);
      UIDList items = all_ ? CrossRefsOf(doc) : UIDList(doc);
      if (!all_ && CrossRefAt(doc, story, index) != kInvalidUID) items.Append(CrossRefAt(doc, story, index));
      if (items.IsEmpty() && !all_) {
        *error = "no cross-reference at " + at_;
        return int(kExitUsage);
      }
      if (!items.IsEmpty()) {
        InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefConvertCrossRefToTextCmdBoss));
        cmd->SetItemList(items);
        if (!RunCommand(cmd.get(), error)) return int(kExitUsage);
      }
      std::cout << "converted " << items.Length() << " cross-reference(s) to text\n";
      return int(kExitOK);
    });
  }

private:
  std::string path_, at_;
  bool all_ = false;
  WriteOptions write_;
};
ToTextCommand gToText;
}  // namespace
