// xref relink DOC --from OLD --to NEW (-o OUT | --in-place): the
// cross-references whose source document is OLD point at NEW instead.
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
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
    return ChangeDocument(path_, write_, [&](Application&, DataBase* doc, std::string* error) {
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
      InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefRelinkCrossRefCmdBoss));
      cmd->SetItemList(matching);
      InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(IDFile(AbsolutePath(to_)));
      if (!RunCommand(cmd.get(), error)) return int(kExitUsage);
      std::cout << "relinked " << matching.Length() << " cross-reference(s) to " << to_ << "\n";
      return int(kExitOK);
    });
  }

private:
  std::string path_, from_, to_;
  WriteOptions write_;
};
RelinkCommand gRelink;
}  // namespace
