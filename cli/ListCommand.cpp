// xref list DOC [--json]: one line (or JSON object) per cross-reference.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/CrossRefEntries.h"
#include "cli/DocumentWorkflow.h"
#include "cli/NativeCrossRefs.h"
#include "cli/StoryNumbers.h"
#include <iostream>

namespace {
class ListCommand : public CliCommand {
public:
  ListCommand() : CliCommand("list", "List a document's cross-references with their place, source, text and states") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file")->required();
    sub->add_flag("--json", json_, "Print JSON");
  }
  int Run() override {
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments({}, {path_}, &docs);
    if (!app) return kExitUsage;
    DataBase* doc = docs.front();
    // Sources in other documents are looked up as check and update look
    // them up, and each cross-reference is evaluated as check evaluates it.
    OpenSourceDocuments(doc);
    const std::vector<CrossRefEntry> entries = ListCrossRefEntries(doc);
    if (json_) {
      nlohmann::json all = nlohmann::json::array();
      for (const CrossRefEntry& e : entries) all.push_back(ToJson(e));
      nlohmann::json natives = nlohmann::json::array();
      for (const NativeCrossRefEntry& e : ListNativeCrossRefs(doc))
        natives.push_back({{"story", StoryNumber(doc, e.story)}, {"index", e.start}, {"length", e.length},
                           {"text", e.text}, {"format", e.format}, {"destination", e.destination},
                           {"upToDate", e.text == e.composed}});
      std::cout << nlohmann::json{{"document", path_}, {"crossReferences", all}, {"nativeCrossReferences", natives}}
                       .dump(2)
                << "\n";
      return kExitOK;
    }
    for (const CrossRefEntry& e : entries) std::cout << ToLine(e) << "\n";
    for (const NativeCrossRefEntry& e : ListNativeCrossRefs(doc))
      std::cout << "native: story " << StoryNumber(doc, e.story) << " at " << e.start << ": \"" << e.text << "\" -> "
                << (e.destination.empty() ? "(anchor gone)" : e.destination) << " ["
                << (e.format.empty() ? "(format gone)" : e.format) << "]" << (e.text == e.composed ? "" : " out of date")
                << "\n";
    return kExitOK;
  }

private:
  std::string path_;
  bool json_ = false;
};
ListCommand gList;
}  // namespace
