// xref rename-marker DOC OLD NEW [--update-references] (-o OUT | --in-place):
// renames a source marker. With --update-references the cross-references
// that named it follow the new name. Either way the document's
// cross-references are recomposed, as the update queue would, so their
// text follows at once.
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IControllingUnknown.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include <iostream>

namespace {
class RenameMarkerCommand : public CliCommand {
public:
  RenameMarkerCommand() : CliCommand("rename-marker", "Rename a source marker") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    sub->add_option("old", old_, "The marker's name")->required();
    sub->add_option("new", new_, "Its new name")->required();
    sub->add_flag("--update-references", references_, "Rename the cross-references that name it too");
    AddWriteOptions(sub, &write_);
  }
  int Run() override {
    if (new_.empty()) {
      PrintError("the new name is empty");
      return kExitUsage;
    }
    return ChangeDocument(path_, write_, [&](Application&, DataBase* doc, std::string* error) {
      InterfacePtr<IXRefSourceMarkerList> markers(doc, kRootUID);
      InterfacePtr<IXRefSourceMarker> marker(markers ? markers->QueryMarkerByName(PMString(old_.c_str())) : nullptr);
      if (!marker) {
        *error = "no source marker named \"" + old_ + "\"";
        return int(kExitUsage);
      }
      InterfacePtr<IXRefSourceMarker> taken(markers->QueryMarkerByName(PMString(new_.c_str())));
      if (taken && taken.get() != marker.get()) {
        *error = "a source marker named \"" + new_ + "\" exists already";
        return int(kExitUsage);
      }
      InterfacePtr<ICommand> rename(CmdUtils::CreateCommand(kXRefModifySourceMarkerCmdBoss));
      rename->SetItemList(UIDList(::GetUIDRef(marker.get())));
      InterfacePtr<IStringData>(rename.get(), IID_ISTRINGDATA)->Set(PMString(new_.c_str()));
      InterfacePtr<IBoolData>(rename.get(), IID_IBOOLDATA)->Set(references_);
      if (!RunCommand(rename.get(), error)) return int(kExitUsage);
      const UIDList crossRefs = CrossRefsOf(doc);
      if (!crossRefs.IsEmpty()) {
        InterfacePtr<ICommand> update(CmdUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss));
        update->SetItemList(crossRefs);
        InterfacePtr<IBoolData>(update.get(), IID_IBOOLDATA)->Set(false);
        if (!RunCommand(update.get(), error)) return int(kExitUsage);
      }
      std::cout << "renamed \"" << old_ << "\" to \"" << new_ << "\"; " << crossRefs.Length()
                << " cross-reference(s) updated\n";
      return int(kExitOK);
    });
  }

private:
  std::string path_, old_, new_;
  bool references_ = false;
  WriteOptions write_;
};
RenameMarkerCommand gRenameMarker;
}  // namespace
