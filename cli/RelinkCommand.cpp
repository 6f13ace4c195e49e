// xref relink DOC --from OLD --to NEW (-o OUT | --in-place): the
// cross-references whose source document is OLD point at NEW instead, and
// are recomposed from it. Exit 1 when some stay broken (NEW is missing or
// lacks their markers); the document is written all the same.
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/FileUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRef.h"
#include <iostream>

namespace {
class RelinkCommand : public CliCommand {
public:
  RelinkCommand() : CliCommand("relink", "Point the cross-references into one document at another") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    sub->add_option("--from", from_, "The source document they name now")->required();
    sub->add_option("--to", to_, "The source document they are to name")->required();
    AddWriteOptions(sub, &write_);
  }
  int Run() override {
    return ChangeDocument(path_, write_, [&](Application& app, DataBase* doc, std::string* error) {
      const std::string from = AbsolutePath(from_);
      const UIDList all = CrossRefsOf(doc);
      UIDList matching(doc);
      for (int32 i = 0; i < all.Length(); ++i) {
        InterfacePtr<IXRefCrossRef> crossRef(all.GetRef(i));
        if (crossRef && crossRef->IsExternal() && AbsolutePath(crossRef->GetSourceDocument().GetPath()) == from)
          matching.Append(all.At(i));
      }
      if (matching.IsEmpty()) {
        *error = "no cross-reference has its source in " + from_;
        return int(kExitUsage);
      }
      // The command recomposes without opening closed documents, as a user's
      // relink does with the new source open: so it is opened first.
      const std::string to = AbsolutePath(to_);
      std::string ignored;
      if (FileUtils::DoesFileExist(IDFile(to))) app.OpenDocument(to, &ignored);
      InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefRelinkCrossRefCmdBoss));
      cmd->SetItemList(matching);
      InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(IDFile(to));
      if (!RunCommand(cmd.get(), error)) return int(kExitUsage);
      std::cout << "relinked " << matching.Length() << " cross-reference(s) to " << to_ << "\n";
      int32 broken = 0;
      for (int32 i = 0; i < matching.Length(); ++i) {
        InterfacePtr<IXRefCrossRef> crossRef(matching.GetRef(i));
        if (!crossRef || crossRef->GetSourceState() <= 0) continue;
        ++broken;
        std::cout << "broken: " << crossRef->GetSourceStateMessage().GetUTF8String() << "\n";
      }
      return int(broken == 0 ? kExitOK : kExitFinding);
    });
  }

private:
  std::string path_, from_, to_;
  WriteOptions write_;
};
RelinkCommand gRelink;
}  // namespace
