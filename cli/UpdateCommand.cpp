// xref update DOC... (-o OUT | --in-place): recomposes every cross-reference,
// opening the documents that hold their sources as a user's update does,
// and says how many changed, failed, broke, and stay out of date in a locked
// story. Exit 1 for any of the last three (the documents are written all the
// same). A locked story is left alone: up to date there, it is sound.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/CrossRefEntries.h"
#include "cli/DocumentWorkflow.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IStoryLock.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRef.h"
#include <iostream>

namespace {
struct Counts {
  int32 total = 0, changed = 0, failed = 0, broken = 0, locked = 0;
};

bool InLockedStory(IXRefCrossRef* crossRef) {
  InterfacePtr<IStoryLock> lock(crossRef->GetStoryRef(), IID_ISTORYLOCK);
  return lock && lock->IsLocked();
}

class UpdateCommand : public CliCommand {
public:
  UpdateCommand() : CliCommand("update", "Recompose every cross-reference of the documents") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("documents", paths_, "Document files")->required();
    AddWriteOptions(sub, &write_);
  }
  int Run() override {
    std::string error;
    if (!CheckWriteOptions(write_, paths_.size(), &error)) {
      PrintError(error);
      return kExitUsage;
    }
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments({}, paths_, &docs, true, WriteTargets(paths_, write_));
    if (!app) return kExitUsage;
    bool findings = false;
    for (size_t i = 0; i < docs.size(); ++i) {
      Counts counts;
      if (!Update(docs[i], &counts, &error)) {
        PrintError(paths_[i] + ": " + error);
        return kExitUsage;
      }
      std::cout << paths_[i] << ": " << counts.total << " cross-references, " << counts.changed << " changed, "
                << counts.failed << " failed, " << counts.broken << " broken, " << counts.locked
                << " locked and out of date\n";
      findings = findings || counts.failed > 0 || counts.broken > 0 || counts.locked > 0;
    }
    // Written only when every update ran, so that no document is half done.
    for (size_t i = 0; i < docs.size(); ++i) {
      if (!WriteDocument(*app, docs[i], paths_[i], write_, &error)) {
        PrintError(error);
        return kExitUsage;
      }
    }
    return findings ? kExitFinding : kExitOK;
  }

private:
  static bool Update(DataBase* doc, Counts* counts, std::string* error) {
    const UIDList crossRefs = CrossRefsOf(doc);
    counts->total = crossRefs.Length();
    if (crossRefs.IsEmpty()) return true;
    std::vector<std::string> before;
    for (int32 i = 0; i < crossRefs.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
      before.push_back(crossRef ? crossRef->GetCurrentText(false).GetUTF8String() : std::string());
    }
    InterfacePtr<ICommand> update(CmdUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss));
    if (!update) {
      *error = "the plug-in has no update command";
      return false;
    }
    update->SetItemList(crossRefs);
    InterfacePtr<IBoolData>(update.get(), IID_IBOOLDATA)->Set(false);
    if (!RunCommand(update.get(), error)) return false;
    for (int32 i = 0; i < crossRefs.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
      if (!crossRef) continue;
      counts->changed += crossRef->GetCurrentText(false).GetUTF8String() != before[static_cast<size_t>(i)];
      if (crossRef->GetSourceState() > 0) {
        ++counts->broken;
      } else if (InLockedStory(crossRef.get())) {
        // Not composed: whether it is a finding is what a check would say.
        const std::string kind = FindingKind(crossRef->Evaluate());
        counts->failed += kind == "failed";
        counts->locked += kind == "locked";
      } else {
        counts->failed += crossRef->IsCompositionFailed();
      }
    }
    return true;
  }

  std::vector<std::string> paths_;
  WriteOptions write_;
};
UpdateCommand gUpdate;
}  // namespace
