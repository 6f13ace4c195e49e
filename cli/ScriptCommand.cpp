// xref script DOC... SCRIPT.js [-o OUT | --in-place]: runs a JavaScript
// script with the documents open (app.documents) and print(). The script
// runs in a child process under limits on time and memory; the documents
// it changed are written (to temporary files beside their targets, renamed
// over them) only when it ends well. A script error is bad input: exit 2
// with the script's file, line and message.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentWorkflow.h"
#include "cli/ScriptSandbox.h"
#include "headless/scripting/ScriptRunner.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

bool ReadScript(const std::string& path, std::string* source, std::string* error) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    *error = path + ": not a readable script file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in.good() && !in.eof()) {
    *error = path + ": cannot be read";
    return false;
  }
  *source = text.str();
  if (source->find('\0') != std::string::npos) {
    *error = path + ": not a text file";
    return false;
  }
  return true;
}

// Where a document goes, followed through a link so that the link stays.
std::string TargetOf(const std::string& path) {
  std::error_code ec;
  const fs::path resolved = fs::canonical(path, ec);
  return ec ? AbsolutePath(path) : resolved.string();
}

std::string TemporaryBeside(const std::string& target, size_t n) {
  const fs::path p(target);
  return (p.parent_path() / ("." + p.filename().string() + ".xref-script-" + std::to_string(getpid()) + "-" +
                             std::to_string(n)))
      .string();
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
    if (writes) PlanOutputs();
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
  void PlanOutputs() {
    for (size_t i = 0; i < docs_.size(); ++i) {
      const std::string target = TargetOf(write_.output.empty() ? docs_[i] : write_.output);
      targets_.push_back(target);
      temporaries_.push_back(TemporaryBeside(target, i));
    }
  }

  // In the child: opens the documents, runs the script, writes the results
  // to the temporary files. Nothing it does reaches the targets itself.
  int Child(const std::string& source) {
    std::string error;
    std::vector<DataBase*> docs;
    auto app = StartWithDocuments({}, docs_, &docs);
    if (!app) return kExitUsage;
    ScriptLimits limits;
    limits.memoryBytes = limits_.memoryBytes;
    if (!RunScript(scriptPath_, source, std::cout, limits, &error)) {
      std::cout.flush();
      PrintError(error);
      return kExitUsage;
    }
    if (temporaries_.empty()) {
      for (size_t i = 0; i < docs.size(); ++i)
        if (WouldChangeFile(docs[i], docs_[i])) SayNotWritten(docs_[i]);
    }
    for (size_t i = 0; i < temporaries_.size(); ++i) {
      std::string cause;
      // A document the script left as it was keeps its file untouched.
      if (!WouldChangeFile(docs[i], targets_[i])) continue;
      if (!app->SaveACopy(docs[i], temporaries_[i], &cause)) {
        PrintError(targets_[i] + ": " + cause);
        return kExitUsage;
      }
    }
    return kExitOK;
  }

  int Commit() {
    for (size_t i = 0; i < targets_.size(); ++i) {
      std::error_code ec;
      if (!fs::exists(temporaries_[i], ec)) continue;  // unchanged
      fs::rename(temporaries_[i], targets_[i], ec);
      if (!ec) continue;
      PrintError(targets_[i] + ": " + ec.message());
      RemoveTemporaries();
      return kExitUsage;
    }
    return kExitOK;
  }

  void RemoveTemporaries() {
    for (const std::string& t : temporaries_) {
      std::error_code ec;
      fs::remove(t, ec);
    }
  }

  std::vector<std::string> files_, docs_, targets_, temporaries_;
  std::string scriptPath_;
  WriteOptions write_;
  SandboxLimits limits_;
  int memoryMB_ = 256;
};
ScriptCommand gScript;
}  // namespace
