// xref insert DOC --at STORY:START[+LENGTH] --source NAME [--source-doc PATH]
// (--format NAME | --markup M) [--hyperlink] (-o OUT | --in-place). A
// cross-reference whose source cannot be found is written and reported:
// exit 1.
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
class InsertCommand : public CliCommand {
public:
  InsertCommand() : CliCommand("insert", "Insert a cross-reference over a text range") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    sub->add_option("--at", at_, "STORY:START[+LENGTH], the range the cross-reference replaces")->required();
    sub->add_option("--source", marker_, "Name of the source marker")->required();
    sub->add_option("--source-doc", sourceDoc_, "Document holding the source marker (default: this one)");
    auto* format = sub->add_option("--format", format_.name, "Name of a format of the document");
    auto* markup = sub->add_option("--markup", format_.markup, "The cross-reference's own format mark-up");
    format->excludes(markup);
    sub->add_flag("--hyperlink", hyperlink_, "Also give it a hyperlink to its source");
    AddWriteOptions(sub, &write_);
  }
  int Run() override {
    int32 storyNumber = 0;
    TextIndex start;
    int32 length;
    if (!ParsePlace(at_, &storyNumber, &start, &length)) {
      PrintError("--at " + at_ + ": expected STORY:START[+LENGTH]");
      return kExitUsage;
    }
    if (format_.name.empty() && format_.markup.empty()) {
      PrintError("give --format NAME or --markup M");
      return kExitUsage;
    }
    return ChangeDocument(path_, write_, [&](Application&, DataBase* doc, std::string* error) {
      UID story = kInvalidUID;
      if (!StoryOfPlace(doc, storyNumber, &story, error)) return int(kExitUsage);
      std::string name, markup;
      if (!ResolveFormat(doc, format_, &name, &markup, error)) return int(kExitUsage);
      InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertCrossRefCmdBoss));
      cmd->SetItemList(UIDList(doc, story));
      InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(start, length);
      InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(IDFile(AbsolutePath(sourceDoc_)));
      InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(marker_.c_str()));
      InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)
          ->SetFormatData(PMString(name.c_str()), PMString(markup.c_str()));
      InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(hyperlink_);
      if (!RunCommand(cmd.get(), error)) return int(kExitUsage);
      InterfacePtr<IXRefCrossRef> crossRef(cmd->GetItemList()->GetRef(0));
      std::cout << "inserted at story " << storyNumber << ":" << crossRef->GetStartIndex() - 1 << ": \""
                << crossRef->GetCurrentText(true).GetUTF8String() << "\" ("
                << crossRef->GetCompositionStateMessage().GetUTF8String() << ")\n";
      // Kept, as its marker may come later, but a finding: it shows nothing.
      if (crossRef->GetSourceState() <= 0) return int(kExitOK);
      PrintError(path_ + ": the cross-reference is broken: " + crossRef->GetSourceStateMessage().GetUTF8String());
      return int(kExitFinding);
    });
  }

private:
  std::string path_, at_, marker_, sourceDoc_;
  FormatChoice format_;
  bool hyperlink_ = false;
  WriteOptions write_;
};
InsertCommand gInsert;
}  // namespace
