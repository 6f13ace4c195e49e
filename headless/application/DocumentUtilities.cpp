#include "headless/application/DocumentUtilities.h"
#include "headless/application/Application.h"
#include "headless/database/DocumentFile.h"
#include "headless/objects/Host.h"
#include <filesystem>
#include <unistd.h>

namespace {
bool16 Refuse(ErrorCode why, ErrorCode* reason) {
  if (reason) *reason = why;
  return false;
}
}  // namespace

bool16 DocumentOpenUtilsImpl::CanOpenFile(const IDFile& file, ErrorCode* reason) const {
  if (reason) *reason = kSuccess;
  std::error_code ec;
  if (file.IsEmpty() || !std::filesystem::exists(file.GetPath(), ec)) return Refuse(kFileNotFoundError, reason);
  if (!std::filesystem::is_regular_file(file.GetPath(), ec) || ::access(file.GetPath().c_str(), R_OK) != 0)
    return Refuse(kFileNotReadableError, reason);
  if (!DocumentFile::BeginsAs(file.GetPath(), DocumentFile::kDocument)) return Refuse(kNotADocumentError, reason);
  Application* app = Application::Current();
  if (app && app->FindDocumentByFile(file).GetDataBase()) return Refuse(kDocumentAlreadyOpenError, reason);
  return true;
}

ErrorCode DocumentUtilsImpl::OpenDocumentFile(const IDFile& file, UIDRef* doc) {
  if (doc) *doc = UIDRef();
  Application* app = Application::Current();
  std::string error = "no application";
  DataBase* db = app && !file.IsEmpty() ? app->OpenWithoutWindow(file.GetPath(), &error) : nullptr;
  if (!db) {
    PMString message((file.GetPath() + ": " + error).c_str());
    message.SetTranslatable(false);
    const bool missing = file.IsEmpty() || !file.Exists();
    const ErrorCode code = missing ? kFileNotFoundError : kCorruptDocumentError;
    Host::Get().SetGlobalError(code, &message);
    return code;
  }
  if (doc) *doc = UIDRef(db, kRootUID);
  return kSuccess;
}

bool16 ScriptUtilsImpl::AreUpdatesBlocked() const {
  Application* app = Application::Current();
  return app && app->UpdatesBlocked();
}

void ScriptUtilsImpl::HoldUpdates() {
  if (Application* app = Application::Current()) app->HoldUpdates();
}

void ScriptUtilsImpl::ReleaseUpdates() {
  if (Application* app = Application::Current()) app->ReleaseUpdates();
}
