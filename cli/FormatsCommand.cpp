// xref formats DOC [--add NAME MARKUP | --modify NAME [--name NEW] [--markup M]
// | --delete NAME] [-o OUT | --in-place] [--json]: lists a document's
// formats, or changes one through the format commands and writes the
// document to OUT or over itself. Modifying recomposes the cross-references
// that use the format and says how many were, and how many were passed over
// in locked stories or failed (exit 1 then); deleting leaves them their text.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "cli/FormatReason.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/IErrorStringService.h"
#include "host/IStoryLock.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"
#include <iostream>
#include <nlohmann/json.hpp>

namespace {
PMString Text(const std::string& utf8) { return PMString(utf8.c_str()); }

class FormatsCommand : public CliCommand {
public:
  FormatsCommand() : CliCommand("formats", "List a document's formats, or add, change or delete one") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    auto add = sub->add_option("--add", add_, "Add a format: NAME MARKUP")->expected(2);
    auto modify = sub->add_option("--modify", modify_, "Change the format of this name");
    auto del = sub->add_option("--delete", delete_, "Delete the format of this name");
    sub->add_option("--name", newName_, "With --modify: the new name")->needs(modify);
    sub->add_option("--markup", newMarkup_, "With --modify: the new mark-up")->needs(modify);
    add->excludes(modify)->excludes(del);
    modify->excludes(del);
    sub->add_flag("--json", json_, "List the formats as JSON (docs/formats-json.md)");
    AddWriteOptions(sub, &write_);
  }

  int Run() override {
    std::string error;
    const bool changes = !add_.empty() || !modify_.empty() || !delete_.empty();
    if ((changes || WritesDocuments(write_)) && !CheckWriteOptions(write_, 1, &error)) {
      PrintError(changes ? error : "-o and --in-place go with --add, --modify or --delete");
      return kExitUsage;
    }
    if (changes && !LockForWriting(WriteTargets({path_}, write_))) return kExitUsage;
    auto app = StartSession({}, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    DataBase* doc = app->OpenDocument(path_, &error);
    if (!doc) {
      PrintError(error);
      return kExitUsage;
    }
    InterfacePtr<IDocument> document(doc, kRootUID, IID_IDOCUMENT);
    workspace_ = document ? document->GetDocWorkspace() : UIDRef();
    InterfacePtr<IXRefFormats> formats(workspace_);
    if (!formats) {
      PrintError(path_ + ": the document has no format list");
      return kExitUsage;
    }
    if (!changes) return List(formats.get());
    int exit = add_.size() == 2 ? Add(formats.get()) : !modify_.empty() ? Modify(formats.get()) : Delete(formats.get());
    if (exit != kExitOK && exit != kExitFinding) return exit;
    if (!WriteDocument(*app, doc, path_, write_, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    return exit;
  }

private:
  int List(IXRefFormats* formats) const {
    if (json_) {
      nlohmann::json list = nlohmann::json::array();
      for (int32 i = 0; i < formats->GetFormatCount(); ++i)
        list.push_back({{"name", formats->GetFormatName(i).GetUTF8String()},
                        {"markup", formats->GetFormatString(i).GetUTF8String()}});
      std::cout << list.dump(2) << "\n";
      return kExitOK;
    }
    for (int32 i = 0; i < formats->GetFormatCount(); ++i)
      std::cout << formats->GetFormatName(i).GetUTF8String() << "\t" << formats->GetFormatString(i).GetUTF8String()
                << "\n";
    return kExitOK;
  }

  // Empty names, names already taken and mark-up the language rejects are
  // refused before anything changes.
  bool Acceptable(IXRefFormats* formats, const std::string& name, const std::string& markup, int32 self) const {
    if (name.empty()) {
      PrintError(path_ + ": a format needs a name");
      return false;
    }
    const int32 taken = formats->FindFormat(Text(name));
    if (taken >= 0 && taken != self) {
      PrintError(path_ + ": a format named \"" + name + "\" already exists");
      return false;
    }
    const std::string reason = InvalidFormatReason(markup);
    if (reason.empty()) return true;
    PrintError(path_ + ": the mark-up of \"" + name + "\" is not valid: " + reason);
    return false;
  }

  int32 Existing(IXRefFormats* formats, const std::string& name) const {
    const int32 at = formats->FindFormat(Text(name));
    if (at < 0) PrintError(path_ + ": no format named \"" + name + "\"");
    return at;
  }

  int Add(IXRefFormats* formats) const {
    if (!Acceptable(formats, add_[0], add_[1], -1)) return kExitUsage;
    InterfacePtr<ICommand> cmd(Command(kXRefAddFormatCmdBoss));
    InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)->SetFormatData(Text(add_[0]), Text(add_[1]));
    if (!Process(cmd.get())) return kExitUsage;
    std::cout << "added \"" << add_[0] << "\"\n";
    return kExitOK;
  }

  int Modify(IXRefFormats* formats) const {
    const int32 at = Existing(formats, modify_);
    if (at < 0) return kExitUsage;
    const std::string name = newName_.empty() ? formats->GetFormatName(at).GetUTF8String() : newName_;
    const std::string markup = newMarkup_.empty() ? formats->GetFormatString(at).GetUTF8String() : newMarkup_;
    if (!Acceptable(formats, name, markup, at)) return kExitUsage;
    const UIDList users = Users(formats->GetFormatName(at));
    InterfacePtr<ICommand> cmd(Command(kXRefModifyFormatCmdBoss));
    InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)->SetFormatData(Text(name), Text(markup));
    InterfacePtr<IIntData>(cmd.get(), IID_IINTDATA)->Set(at);
    if (!Process(cmd.get())) return kExitUsage;
    // The update passes over locked stories and some compositions fail:
    // only what was recomposed is counted so.
    int32 recomposed = 0, locked = 0, failed = 0;
    for (int32 i = 0; i < users.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(users.GetRef(i));
      InterfacePtr<IStoryLock> lock(crossRef ? crossRef->GetStoryRef() : UIDRef(), IID_ISTORYLOCK);
      if (lock && lock->IsLocked()) ++locked;
      else if (!crossRef || crossRef->GetSourceState() > 0 || crossRef->IsCompositionFailed()) ++failed;
      else ++recomposed;
    }
    std::cout << "changed \"" << modify_ << "\" to \"" << name << "\"; " << recomposed
              << " cross-reference(s) recomposed, " << locked << " locked, " << failed << " failed\n";
    return locked + failed > 0 ? kExitFinding : kExitOK;
  }

  int Delete(IXRefFormats* formats) const {
    const int32 at = Existing(formats, delete_);
    if (at < 0) return kExitUsage;
    const int32 users = Users(formats->GetFormatName(at)).Length();
    InterfacePtr<ICommand> cmd(Command(kXRefDeleteFormatCmdBoss));
    InterfacePtr<IIntData>(cmd.get(), IID_IINTDATA)->Set(at);
    if (!Process(cmd.get())) return kExitUsage;
    std::cout << "deleted \"" << delete_ << "\"; " << users << " cross-reference(s) keep it as their own format\n";
    return kExitOK;
  }

  UIDList Users(const PMString& name) const {
    InterfacePtr<IXRefCrossRefList> list(workspace_.GetDataBase(), kRootUID, IID_IXREFCROSSREFLIST);
    return list ? list->GetCrossRefsByFormat(name) : UIDList(workspace_.GetDataBase());
  }

  ICommand* Command(ClassID cls) const {
    ICommand* cmd = CmdUtils::CreateCommand(cls);
    cmd->SetItemList(UIDList(workspace_));
    return cmd;
  }

  bool Process(ICommand* cmd) const {
    if (CmdUtils::ProcessCommand(cmd) == kSuccess) return true;
    PrintError(path_ + ": the format could not be changed: " +
               ErrorUtils::PMGetErrorString(ErrorUtils::PMGetGlobalErrorCode()).GetUTF8String());
    return false;
  }

  std::string path_;
  std::vector<std::string> add_;
  std::string modify_, delete_, newName_, newMarkup_;
  bool json_ = false;
  WriteOptions write_;
  UIDRef workspace_;
};
FormatsCommand gFormats;
}  // namespace
