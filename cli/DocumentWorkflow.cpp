#include "cli/StoryNumbers.h"
#include "cli/DocumentWorkflow.h"
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "headless/application/DocumentBytes.h"
#include "headless/database/DocumentContent.h"
#include "headless/database/FileLock.h"
#include "headless/database/SafeFile.h"
#include "host/CmdUtils.h"
#include "host/IErrorStringService.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefSourceMarker.h"
#include <filesystem>
#include <regex>
#include <unistd.h>

void AddWriteOptions(CLI::App* sub, WriteOptions* options) {
  sub->add_option("-o,--output", options->output, "Write the changed document here (one document only)");
  sub->add_flag("--in-place", options->inPlace, "Write each changed document over its own file");
}

bool WritesDocuments(const WriteOptions& options) { return options.inPlace || !options.output.empty(); }

bool CheckWriteOptions(const WriteOptions& options, size_t documents, std::string* error) {
  if (!options.output.empty() && options.inPlace) {
    *error = "give either -o OUT or --in-place, not both";
    return false;
  }
  if (!options.output.empty() && documents != 1) {
    *error = "-o OUT takes a single document; with several, use --in-place";
    return false;
  }
  if (options.output.empty() && !options.inPlace) {
    *error = "nothing written: say where the changed document goes, -o OUT or --in-place";
    return false;
  }
  return true;
}

bool WouldChangeFile(DataBase* doc, const std::string& target) {
  std::string old, ignored;
  if (!SafeFile::Read(target, &old, &ignored)) return true;
  // A cross-reference's record ends in its update time, eight bytes.
  return !DocumentFile::SameContent(BytesToSave(doc), old, kXRefCrossRefImpl, 8);
}

bool WriteDocument(Application& app, DataBase* doc, const std::string& path, const WriteOptions& options,
                   std::string* error, bool* written) {
  const std::string target = options.output.empty() ? path : options.output;
  const bool changes = WouldChangeFile(doc, target);
  if (written) *written = changes;
  std::string cause;
  if (!changes || app.SaveACopy(doc, target, &cause)) return true;
  *error = target + ": " + cause;
  return false;
}

bool LockForWriting(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    std::string error;
    if (FileLock::Acquire(path, &error)) continue;
    PrintError(error);
    return false;
  }
  return true;
}

std::vector<std::string> WriteTargets(const std::vector<std::string>& documents, const WriteOptions& options) {
  if (!options.output.empty()) return {options.output};
  return options.inPlace ? documents : std::vector<std::string>{};
}

void SayNotWritten(const std::string& path) {
  PrintError(path + ": changes not written (give -o OUT or --in-place)");
}

std::unique_ptr<Application> StartWithDocuments(const SessionOptions& options, const std::vector<std::string>& paths,
                                                std::vector<DataBase*>* docs, bool drawProgress,
                                                const std::vector<std::string>& writes) {
  if (!LockForWriting(writes)) return nullptr;
  std::string error;
  auto app = StartSession(options, &error);
  if (!app) {
    PrintError(error);
    return nullptr;
  }
  if (drawProgress) DrawProgressOnTerminal(*app);
  for (const std::string& path : paths) {
    DataBase* doc = app->OpenDocument(path, &error);
    if (!doc) {
      PrintError(path + ": " + error);
      return nullptr;
    }
    docs->push_back(doc);
  }
  return app;
}

void OpenSourceDocuments(DataBase* doc) {
  const UIDList crossRefs = CrossRefsOf(doc);
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
    // A source that cannot be opened shows as a broken cross-reference.
    if (crossRef && crossRef->IsExternal()) InterfacePtr<IXRefSourceMarker> found(crossRef->QuerySourceMarker(true));
  }
}

void DrawProgressOnTerminal(Application& app) { app.Alerts().SetDrawProgress(::isatty(2) != 0); }

UIDList CrossRefsOf(IDataBase* doc) {
  InterfacePtr<IXRefCrossRefList> list(doc, kRootUID);
  return list ? list->GetCrossRefs() : UIDList(doc);
}

UID CrossRefAt(IDataBase* doc, UID story, TextIndex at) {
  const UIDList crossRefs = CrossRefsOf(doc);
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
    if (!crossRef || crossRef->GetStoryRef().GetUID() != story) continue;
    if (at >= crossRef->GetStartIndex() - 1 && at <= crossRef->GetEndIndex()) return crossRefs.At(i);
  }
  return kInvalidUID;
}

bool ParsePlace(const std::string& text, int32* storyNumber, TextIndex* start, int32* length) {
  static const std::regex form("([0-9]{1,9}):([0-9]{1,9})(\\+([0-9]{1,9}))?");
  std::smatch m;
  if (!std::regex_match(text, m, form)) return false;
  *storyNumber = std::stoi(m[1]);
  *start = std::stoi(m[2]);
  *length = m[4].matched ? std::stoi(m[4]) : 0;
  return true;
}

bool StoryOfPlace(IDataBase* doc, int32 storyNumber, UID* story, std::string* error) {
  *story = StoryWithNumber(doc, storyNumber);
  if (*story != kInvalidUID) return true;
  *error = "no story " + std::to_string(storyNumber) + " (xref describe lists the stories by number)";
  return false;
}

int ChangeDocument(const std::string& path, const WriteOptions& options, const DocumentChange& change) {
  std::string error;
  if (!CheckWriteOptions(options, 1, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  std::vector<DataBase*> docs;
  auto app = StartWithDocuments({}, {path}, &docs, false, WriteTargets({path}, options));
  if (!app) return kExitUsage;
  DataBase* doc = docs.front();
  DrawProgressOnTerminal(*app);
  const int code = change(*app, doc, &error);
  if (code != kExitOK && code != kExitFinding) {
    PrintError(path + ": " + error);
    return code;
  }
  if (!WriteDocument(*app, doc, path, options, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  return code;
}

bool RunCommand(ICommand* cmd, std::string* error) {
  const ErrorCode code = CmdUtils::ProcessCommand(cmd);
  if (code == kSuccess) return true;
  *error = ErrorUtils::PMGetErrorString(code).GetUTF8String();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return false;
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  const auto absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}
