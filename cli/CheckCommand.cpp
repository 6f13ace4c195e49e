// xref check DOC... [--json]: the continuous-integration check. Reports
// damaged structures, marker characters without their markers, and every
// broken, failed or out-of-date cross-reference; exit 1 when there is one.
// Nothing is written. The JSON form is in docs/check-json.md.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/CrossRefEntries.h"
#include "cli/DocumentWorkflow.h"
#include "cli/NativeCrossRefs.h"
#include "cli/StoryNumbers.h"
#include "headless/conversion/PluginLoadCheck.h"
#include <iostream>

namespace {
// What breaks the rules the plug-in's data keeps: a damaged object is named,
// a bare marker character placed so that a writer can delete it.
nlohmann::json DamageFinding(DataBase* doc, const DocumentDamage& d) {
  nlohmann::json item{{"kind", d.kind == DocumentDamage::kOrphan ? "orphan" : "damaged"}, {"message", d.message}};
  if (d.kind == DocumentDamage::kDamaged) item["object"] = UIDValue(d.object);
  if (d.story == kInvalidUID) return item;
  item["story"] = StoryNumber(doc, d.story);
  item["index"] = d.index;
  item["page"] = PageAt(doc, d.story, d.index);
  return item;
}

std::string DamageLine(const nlohmann::json& f) {
  std::string where = f.contains("story") ? f["page"].get<std::string>() + ", story " +
                                                std::to_string(f["story"].get<int32>()) + " at " +
                                                std::to_string(f["index"].get<int32>()) + ": "
                                          : std::string();
  const std::string object = f.contains("object") ? "object " + std::to_string(f["object"].get<uint32_t>()) + ": "
                                                  : std::string();
  return where + f["kind"].get<std::string>() + ": " + object + f["message"].get<std::string>();
}

class CheckCommand : public CliCommand {
public:
  CheckCommand() : CliCommand("check", "Check that every cross-reference of the documents is sound and up to date") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("documents", paths_, "Document files")->required();
    sub->add_flag("--json", json_, "Print JSON (docs/check-json.md)");
  }
  int Run() override {
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments({}, paths_, &docs);
    if (!app) return kExitUsage;
    for (DataBase* doc : docs) OpenSourceDocuments(doc);
    nlohmann::json reports = nlohmann::json::array();
    size_t total = 0;
    for (size_t i = 0; i < docs.size(); ++i) {
      const std::vector<CheckFinding> findings = CheckCrossRefs(docs[i]);
      total += findings.size();
      nlohmann::json list = nlohmann::json::array();
      for (const DocumentDamage& d : FindPluginDamage(*docs[i])) {
        list.push_back(DamageFinding(docs[i], d));
        if (!json_) std::cout << paths_[i] << ": " << DamageLine(list.back()) << "\n";
      }
      total += list.size();
      for (const CheckFinding& f : findings) {
        nlohmann::json item = ToJson(f.entry);
        item["kind"] = f.kind;
        item["message"] = f.message;
        list.push_back(item);
        if (!json_)
          std::cout << paths_[i] << ": " << f.entry.page << ", story " << f.entry.storyNumber << " at "
                    << f.entry.index << ": " << f.kind << ": \"" << f.entry.text << "\" -> "
                    << (f.entry.sourceDocument.empty() ? "" : f.entry.sourceDocument + "#") << f.entry.sourceMarker
                    << ": " << f.message << "\n";
      }
      // Native cross-references whose text anchor is gone point nowhere.
      for (const NativeCrossRefEntry& e : ListNativeCrossRefs(docs[i])) {
        if (!e.destination.empty()) continue;
        ++total;
        const std::string message = "its text anchor is gone";
        list.push_back({{"kind", "broken native"}, {"story", StoryNumber(docs[i], e.story)}, {"index", e.start},
                        {"text", e.text}, {"message", message}});
        if (!json_)
          std::cout << paths_[i] << ": story " << StoryNumber(docs[i], e.story) << " at " << e.start
                    << ": broken native: \"" << e.text << "\": " << message << "\n";
      }
      reports.push_back({{"document", paths_[i]},
                         {"crossReferences", static_cast<int32>(CrossRefsOf(docs[i]).Length())},
                         {"findings", list}});
    }
    if (json_)
      std::cout << nlohmann::json{{"ok", total == 0}, {"findingCount", total}, {"documents", reports}}.dump(2) << "\n";
    else
      std::cout << (total == 0 ? "all cross-references are sound\n" : std::to_string(total) + " finding(s)\n");
    return total == 0 ? kExitOK : kExitFinding;
  }

private:
  std::vector<std::string> paths_;
  bool json_ = false;
};
CheckCommand gCheck;
}  // namespace
