// xref edit DOC... [edits] [-o OUT | --in-place]: opens documents, applies
// text edits, then lets idle time run on the host clock until live updates
// have settled, prints each cross-reference whose text changed and the idle
// pass that changed it, counts the recompositions that changed nothing, and
// writes the documents that changed. Without -o or --in-place it writes
// nothing and says which documents changed. Nothing is written when an edit
// fails.
#include "cli/AppSession.h"
#include "headless/objects/SourceDateEpoch.h"
#include "cli/CliCommand.h"
#include "cli/DocumentEdits.h"
#include "cli/DocumentWorkflow.h"
#include "cli/StoryNumbers.h"
#include "headless/database/SafeFile.h"
#include "headless/objects/Clock.h"
#include "host/GlobalTime.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>

namespace {
using nlohmann::json;

// The host's idle interval for the plug-in's passes, and how many quiet
// passes in a row count as settled: a changed source takes three passes to
// reach its cross-references, and two more in another document.
constexpr int64 kPassMicros = 300 * 1000;
constexpr int32 kQuietPasses = 6;
constexpr int32 kMostPasses = 1000;

struct Idling {
  int32 pass = 0;
  bool settled = true;
  std::string why;                  // how it did not settle
  std::set<std::string> changing;  // the cross-references that kept changing
};

struct Seen {
  std::string text;
  GlobalTime updated;
};

std::string TextOf(IXRefCrossRef* x) { return x->GetCurrentText(true).GetUTF8String(); }

std::map<UID, Seen> Snapshot(DataBase* doc) {
  std::map<UID, Seen> result;
  InterfacePtr<IXRefCrossRefList> list(doc, kRootUID);
  for (int32 i = 0; list && i < list->GetCrossRefCount(); ++i) {
    InterfacePtr<IXRefCrossRef> x(list->QueryCrossRef(i));
    if (x) result[list->GetCrossRefUID(i)] = Seen{TextOf(x.get()), x->GetUpdateTime()};
  }
  return result;
}

class EditCommand : public CliCommand {
public:
  EditCommand() : CliCommand("edit", "Edit documents' text and show live updates following (see README)") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("documents", paths_, "Document files; command-line edits go to the first")->required();
    sub->add_option("--insert", inserts_, "STORY:INDEX:TEXT");
    sub->add_option("--delete", deletes_, "STORY:START:LENGTH");
    sub->add_option("--move-paragraph", moves_, "STORY:PARAGRAPH:STORY:PARAGRAPH (in front of the second)");
    sub->add_option("--lock", locks_, "STORY");
    sub->add_option("--unlock", unlocks_, "STORY");
    sub->add_option("--script", script_, "JSON edit script (applied after the command-line edits)");
    AddWriteOptions(sub, &write_);
  }

  int Run() override {
    std::string error;
    if (WritesDocuments(write_) && !CheckWriteOptions(write_, paths_.size(), &error)) {
      PrintError(error);
      return kExitUsage;
    }
    std::vector<DocumentEdit> edits;
    if (!ReadEdits(&edits, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    VirtualClock clock(SessionStartMicros());
    SessionOptions options;
    options.clock = &clock;
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments(options, paths_, &docs, false, WriteTargets(paths_, write_));
    if (!app) return kExitUsage;
    // What opening queued settles first (a document saved out of date is
    // brought up to date here); then the edits.
    Idling idle = RunIdle(*app, clock, docs, 0);
    int32 pass = idle.pass;
    for (const DocumentEdit& e : edits) {
      if (e.document >= static_cast<int32>(docs.size())) {
        PrintError("edit names document " + std::to_string(e.document) + " of " + std::to_string(docs.size()));
        return kExitUsage;
      }
      if (!ApplyEdit(docs[static_cast<size_t>(e.document)], e, &error)) {
        PrintError(paths_[static_cast<size_t>(e.document)] + ": " + error);
        return kExitUsage;
      }
    }
    std::cout << "applied " << edits.size() << " edit(s) after pass " << pass << "\n";
    if (idle.settled) idle = RunIdle(*app, clock, docs, pass);
    if (idle.settled) {
      std::cout << "settled after " << idle.pass << " idle passes; " << unchanged_
                << " recomposition(s) left the text as it was\n";
    } else {
      std::cout << "did not settle: live updates kept changing " << idle.why << "\n";
      for (const std::string& name : idle.changing) std::cout << "still changing: " << name << "\n";
    }
    const int wrote = Write(*app, docs);
    if (wrote != kExitOK) return wrote;
    return idle.settled ? kExitOK : kExitFinding;
  }

private:
  // Writes the documents whose files would change; the others stay as they
  // are, bytes and time.
  int Write(Application& app, const std::vector<DataBase*>& docs) const {
    int32 written = 0;
    for (size_t i = 0; i < docs.size(); ++i) {
      if (!WritesDocuments(write_)) {
        if (WouldChangeFile(docs[i], paths_[i])) SayNotWritten(paths_[i]);
        continue;
      }
      std::string error;
      bool changed = false;
      if (!WriteDocument(app, docs[i], paths_[i], write_, &error, &changed)) {
        PrintError(error);
        return kExitUsage;
      }
      written += changed ? 1 : 0;
    }
    if (WritesDocuments(write_)) std::cout << "wrote " << written << " of " << docs.size() << " document(s)\n";
    return kExitOK;
  }

  bool ReadEdits(std::vector<DocumentEdit>* edits, std::string* error) const {
    const std::vector<std::pair<const char*, const std::vector<std::string>*>> given = {
        {"insert", &inserts_}, {"delete", &deletes_}, {"move-paragraph", &moves_}, {"lock", &locks_},
        {"unlock", &unlocks_}};
    for (auto& kind : given) {
      for (const std::string& spec : *kind.second) {
        DocumentEdit e;
        if (!ParseEdit(kind.first, spec, &e, error)) return false;
        edits->push_back(e);
      }
    }
    if (script_.empty()) return true;
    std::string text;
    if (!SafeFile::ReadText(script_, &text, error)) return false;
    json script = json::parse(text, nullptr, false);
    if (script.is_discarded()) {
      *error = script_ + ": not valid JSON";
      return false;
    }
    if (ParseEditScript(script, edits, error)) return true;
    *error = script_ + ": " + *error;
    return false;
  }

  // Idle passes, counted on from `pass`, until kQuietPasses in a row
  // recompose nothing; prints each recomposed cross-reference. The same
  // recompositions bringing the same texts back a third time, or the pass
  // limit, end the run unsettled, with the cross-references that kept
  // changing.
  Idling RunIdle(Application& app, VirtualClock& clock, const std::vector<DataBase*>& docs, int32 pass) {
    const int32 first = pass;
    int32 quiet = 0;
    std::map<std::string, std::pair<int32, int32>> seen;  // state -> times seen, last pass
    std::vector<std::set<std::string>> changes;           // per pass, the cross-references it recomposed
    while (quiet < kQuietPasses) {
      if (pass - first >= kMostPasses)
        return Unsettled(pass, changes, kQuietPasses, "after " + std::to_string(kMostPasses) + " idle passes");
      std::string state;
      changes.push_back(RunPass(app, clock, docs, ++pass, &state));
      quiet = changes.back().empty() ? quiet + 1 : 0;
      if (changes.back().empty()) continue;
      auto& times = seen[state];
      const int32 cycle = pass - times.second;
      times = {times.first + 1, pass};
      if (times.first >= 3)
        return Unsettled(pass, changes, cycle, "in a cycle of " + std::to_string(cycle) + " passes");
    }
    Idling result;
    result.pass = pass;
    return result;
  }

  // One idle pass: prints the cross-references whose text it changed, counts
  // the recompositions that left the text as it was, and answers every one
  // it recomposed; `state` is every text after it, with what was recomposed.
  std::set<std::string> RunPass(Application& app, VirtualClock& clock, const std::vector<DataBase*>& docs,
                                       int32 pass, std::string* state) {
    std::vector<std::map<UID, Seen>> before;
    for (DataBase* doc : docs) before.push_back(Snapshot(doc));
    clock.Advance(kPassMicros);
    app.Idle().RunOnce();
    std::set<std::string> changed;
    for (size_t d = 0; d < docs.size(); ++d) {
      for (auto& now : Snapshot(docs[d])) {
        const std::string name =
            app.DocumentName(docs[d]) + ": cross-reference " + std::to_string(CrossRefNumber(docs[d], now.first));
        *state += std::to_string(d) + ":" + name + "=" + now.second.text + "\n";
        auto old = before[d].find(now.first);
        if (old == before[d].end() || old->second.updated == now.second.updated) continue;
        changed.insert(name);
        if (old->second.text == now.second.text) {
          ++unchanged_;
          continue;
        }
        std::cout << "pass " << pass << ": " << name << " \"" << old->second.text << "\" -> \"" << now.second.text
                  << "\"\n";
      }
    }
    for (const std::string& name : changed) *state += "recomposed " + name + "\n";
    return changed;
  }

  static Idling Unsettled(int32 pass, const std::vector<std::set<std::string>>& changes, int32 window, std::string why) {
    Idling result;
    result.pass = pass;
    result.settled = false;
    result.why = std::move(why);
    for (size_t i = changes.size() > size_t(window) ? changes.size() - size_t(window) : 0; i < changes.size(); ++i)
      result.changing.insert(changes[i].begin(), changes[i].end());
    return result;
  }

  std::vector<std::string> paths_, inserts_, deletes_, moves_, locks_, unlocks_;
  std::string script_;
  int32 unchanged_ = 0;
  WriteOptions write_;
};
EditCommand gEdit;
}  // namespace
