// xref script DOC... SCRIPT.js [-o OUT | --in-place]: runs a JavaScript
// script with the documents open (app.documents) and print(). The script
// runs in a child process under limits on time and memory; the documents
// it changed are written (to temporary files beside their targets, renamed
// over them) only when it ends well, and so are the preferences, after the
// documents. A script error is bad input: exit 2 with the script's file,
// line and message.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "cli/ScriptSandbox.h"
#include "headless/database/FileLock.h"
#include "headless/database/SafeFile.h"
#include "headless/scripting/ScriptRunner.h"
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

bool ReadScript(const std::string& path, std::string* source, std::string* error) {
  if (!SafeFile::ReadText(path, source, error)) return false;
  if (source->find('\0') == std::string::npos) return true;
  *error = path + ": not a text file";
  return false;
}

class ScriptCommand : public CliCommand {
public:
  ScriptCommand() : CliCommand("script", "Run a JavaScript script on the documents") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("files", files_, "Document files, then the script (.js)")->required();
    AddWriteOptions(sub, &write_);
    sub->add_option("--time-limit", limits_.cpuSeconds, "Seconds of processor time the script may use")
        ->check(CLI::Range(1, 3600));
    sub->add_option("--memory-limit", memoryMB_, "Megabytes the script may hold")->check(CLI::Range(1, 65536));
  }

  int Run() override {
    std::string error;
    if (files_.size() < 2) {
      PrintError("script: give the documents, then the script");
      return kExitUsage;
    }
    scriptPath_ = files_.back();
    docs_.assign(files_.begin(), files_.end() - 1);
    const bool writes = WritesDocuments(write_);
    if (writes && !CheckWriteOptions(write_, docs_.size(), &error)) {
      PrintError(error);
      return kExitUsage;
    }
    std::string source;
    if (!ReadScript(scriptPath_, &source, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    limits_.memoryBytes = static_cast<size_t>(memoryMB_) << 20;
    if (writes && !PlanOutputs(&error)) {
      PrintError(error);
      return kExitUsage;
    }
    PlanPreferences();
    std::string stopped;
    const int code = RunSandboxed(limits_, [&] { return Child(source); }, &stopped);
    if (code != kExitOK) {
      RemoveTemporaries();
      if (code < 0) PrintError(scriptPath_ + ": " + stopped + "; no document was changed");
      return code < 0 ? kExitUsage : code;
    }
    return Commit();
  }

private:
  // Each output is locked and checked as a save would check it before the
  // child reads anything; the child writes the temporaries a save of this
  // process would, so a clean-up after a kill knows them.
  bool PlanOutputs(std::string* error) {
    for (size_t i = 0; i < docs_.size(); ++i) {
      const std::string& out = write_.output.empty() ? docs_[i] : write_.output;
      SafeFile::Staged staged;
      if (!FileLock::Acquire(out, error) || !SafeFile::Stage(out, &staged, error)) return false;
      for (const SafeFile::Staged& other : staged_) {
        if (other.target != staged.target) continue;
        *error = out + ": named twice; each document is written once";
        return false;
      }
      staged_.push_back(staged);
    }
    return true;
  }

  // The child's preferences go beside the real file; the parent moves them
  // over it once the documents are in place.
  void PlanPreferences() {
    prefsTarget_ = Application::DefaultPreferencesPath();
    prefsTemporary_ = SafeFile::TempName(prefsTarget_, ::getpid());
  }

  // In the child: opens the documents, runs the script, writes the results
  // to the temporary files. Nothing it does reaches the targets itself.
  int Child(const std::string& source) {
    std::string error;
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments({}, docs_, &docs);
    if (!app) return kExitUsage;
    // A script sees the sources as an update would find them.
    for (DataBase* doc : docs) OpenSourceDocuments(doc);
    app->RedirectPreferences(prefsTemporary_);
    ScriptLimits limits;
    limits.memoryBytes = limits_.memoryBytes;
    if (!RunScript(scriptPath_, source, std::cout, limits, &error)) {
      std::cout.flush();
      PrintError(error);
      return kExitUsage;
    }
    if (staged_.empty()) {
      for (size_t i = 0; i < docs.size(); ++i)
        if (WouldChangeFile(docs[i], docs_[i])) SayNotWritten(docs_[i]);
    }
    for (size_t i = 0; i < staged_.size(); ++i) {
      std::string cause;
      // A document the script left as it was keeps its file untouched.
      if (!WouldChangeFile(docs[i], staged_[i].path)) continue;
      if (!app->SaveACopy(docs[i], staged_[i].temp, &cause)) {
        PrintError(staged_[i].path + ": " + cause);
        return kExitUsage;
      }
    }
    return kExitOK;
  }

  int Commit() {
    for (size_t i = 0; i < staged_.size(); ++i) {
      std::error_code ec;
      if (!fs::exists(staged_[i].temp, ec)) continue;  // unchanged
      std::string error;
      if (SafeFile::Commit(staged_[i], &error)) continue;
      PrintError(error);
      RemoveTemporaries();
      return kExitUsage;
    }
    // Staged only now: the child may have made the preferences file at its
    // first start, before its writes went to the temporary.
    SafeFile::Staged prefs;
    std::string error;
    if (SafeFile::Stage(prefsTarget_, &prefs, &error)) {
      prefs.temp = prefsTemporary_;
      if (SafeFile::Commit(prefs, &error)) return kExitOK;
    }
    PrintError(prefsTarget_ + ": the preferences could not be written: " + error);
    RemoveTemporaries();
    return kExitUsage;
  }

  void RemoveTemporaries() {
    std::error_code ec;
    for (const SafeFile::Staged& staged : staged_) SafeFile::Discard(staged);
    fs::remove(prefsTemporary_, ec);
  }

  std::vector<std::string> files_, docs_;
  std::vector<SafeFile::Staged> staged_;
  std::string scriptPath_, prefsTarget_, prefsTemporary_;
  WriteOptions write_;
  SandboxLimits limits_;
  int memoryMB_ = 256;
};
ScriptCommand gScript;
}  // namespace
