#include "headless/application/Application.h"
#include "host/ISelectionManager.h"
#include "headless/application/DocumentBytes.h"
#include "headless/database/DocumentFile.h"
#include "headless/objects/SourceDateEpoch.h"
#include "headless/database/Transactions.h"
#include "headless/objects/Host.h"
#include "headless/application/SessionObjects.h"
#include "host/IK2ServiceRegistry.h"
#include "host/IStartupShutdownService.h"
#include "headless/conversion/ConversionSignal.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
Application* gCurrent = nullptr;

std::string Canonical(const std::string& path) {
  std::error_code ec;
  auto p = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : p.string();
}

// The plug-in's resource text, stored in its library file between markers.
bool ReadResourceText(const std::string& file, std::string* text, std::string* error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    *error = "cannot read plug-in file " + file;
    return false;
  }
  std::ostringstream buf;
  buf << in.rdbuf();
  const std::string bytes = buf.str();
  const std::string begin = std::string("XREF-RESOURCES-") + "BEGIN\n";
  const std::string end = std::string("XREF-RESOURCES-") + "END";
  size_t b = bytes.find(begin);
  size_t e = b == std::string::npos ? b : bytes.find(end, b + begin.size());
  if (e == std::string::npos) {
    *error = "plug-in file " + file + " holds no resources";
    return false;
  }
  *text = bytes.substr(b + begin.size(), e - b - begin.size());
  return true;
}

struct Resources {
  std::string classes, strings;
  uint32_t id = 0;
  int32 dataVersion = 0;
};

bool SplitResources(const std::string& text, Resources* out, std::string* error) {
  std::istringstream lines(text);
  std::string line, section;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '[') {
      section = line;
      continue;
    }
    if (section == "[classes]") out->classes += line + "\n";
    else if (section == "[strings]") out->strings += line + "\n";
    else if (section == "[plugin]") {
      std::istringstream words(line);
      std::string key, eq, value;
      if (!(words >> key >> eq >> value)) continue;
      try {
        if (key == "id") out->id = static_cast<uint32_t>(std::stoul(value, nullptr, 0));
        else if (key == "dataversion") out->dataVersion = static_cast<int32>(std::stol(value, nullptr, 0));
      } catch (...) {
        *error = "bad plug-in resource line: " + line;
        return false;
      }
    }
  }
  if (out->id == 0) {
    *error = "plug-in resources name no plug-in id";
    return false;
  }
  return true;
}
}  // namespace

Application* Application::Current() { return gCurrent; }

std::string Application::DefaultPreferencesPath() {
  if (const char* dir = std::getenv("XREF_PREFS_DIR")) return std::string(dir) + "/prefs.xrefprefs";
  if (const char* home = std::getenv("HOME")) return std::string(home) + "/.config/xref/prefs.xrefprefs";
  return "prefs.xrefprefs";
}

namespace {
// With SOURCE_DATE_EPOCH and no clock of its own, the application (one at a
// time) runs on a clock that stands at that time and moves only as
// simulated idle time advances it, so that every time stamp follows it.
std::unique_ptr<VirtualClock> gEpochClock;
}  // namespace

Application::Application(const AppOptions& options) {
  gCurrent = this;
  Clock* clock = options.clock;
  int64 epoch = 0;
  std::string ignored;  // the program refuses a malformed value before it starts
  if (!clock && SourceDateEpochMicros(&epoch, &ignored)) {
    gEpochClock = std::make_unique<VirtualClock>(epoch);
    clock = gEpochClock.get();
  }
  Host::Get().SetClock(clock);
  prefsPath_ = options.prefsPath.empty() ? DefaultPreferencesPath() : options.prefsPath;
  session_ = CreateObject(kSessionBoss, IID_ISESSION);
}

Application::~Application() {
  while (!docs_.empty()) CloseDocument(docs_.back()->db.get());
  if (started_) {
    for (ClassID cls : ServiceRegistry::ProvidersOf(kStartupShutdownService)) {
      InterfacePtr<IStartupShutdownService> service(
          static_cast<IStartupShutdownService*>(CreateObject(cls, IID_ISTARTUPSHUTDOWN)));
      if (service) service->Shutdown();
    }
    std::string error;
    SavePreferences(&error);
  }
  while (ICommand* cmd = Host::Get().TakeScheduled()) cmd->Release();
  workspace_.reset();
  if (session_) session_->Release();
  Host::Get().SetClock(nullptr);
  gEpochClock.reset();
  gCurrent = nullptr;
}

bool Application::LoadPlugin(const std::string& libraryPath, std::string* error) {
  void* lib = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!lib) {
    *error = std::string("cannot load plug-in: ") + dlerror();
    return false;
  }
  auto get = reinterpret_cast<GetPlugInFunc>(dlsym(lib, "GetPlugIn"));
  if (!get) {
    *error = libraryPath + " exports no GetPlugIn";
    return false;
  }
  // Registered implementations point into the library: it stays loaded.
  libraries_.push_back(lib);
  return RegisterPlugin(get(), error);
}

bool Application::RegisterPlugin(IPlugIn* plugin, std::string* error) {
  if (!plugin || !plugin->CanLoad() || !plugin->CanRegister()) {
    *error = "plug-in refuses to load";
    return false;
  }
  std::string text;
  Resources res;
  if (!ReadResourceText(plugin->GetResourceFile().GetPath(), &text, error) || !SplitResources(text, &res, error))
    return false;
  plugin->SetPluginID(PluginID{res.id});
  plugin->RegisterImplementations(PluginID{res.id});
  if (!Host::Get().Classes().ParseDefinitions(res.classes, error)) return false;
  if (!Host::Get().Strings().Parse(res.strings, error)) return false;
  Host::Get().PluginVersions()[PluginID{res.id}] = res.dataVersion;
  ServiceRegistry::Rescan();
  return true;
}

void Application::Start() {
  if (started_) return;
  started_ = true;
  std::string error;
  if (prefsPath_ != "-" && std::filesystem::exists(prefsPath_))
    workspace_ = DocumentFile::Load(prefsPath_, DocumentFile::kPreferences, &error);
  if (!workspace_ && !error.empty()) {
    // Keep the damaged file for the user instead of overwriting it.
    std::error_code ec;
    std::filesystem::rename(prefsPath_, prefsPath_ + ".damaged", ec);
    alerts_.Show("warning", "preferences were damaged and have been reset (" + error + ")");
  }
  if (!workspace_) {
    workspace_ = std::make_unique<DataBase>("workspace", Transactions::Process());
    workspace_->CreateObjectAt(kRootUID, kWorkspaceBoss);
  }
  workspace_->SetName("workspace");
  for (ClassID cls : ServiceRegistry::ProvidersOf(kStartupShutdownService)) {
    InterfacePtr<IStartupShutdownService> service(
        static_cast<IStartupShutdownService*>(CreateObject(cls, IID_ISTARTUPSHUTDOWN)));
    if (service) service->Startup();
  }
}

bool Application::SavePreferences(std::string* error) {
  if (!workspace_ || prefsPath_ == "-") return true;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(prefsPath_).parent_path(), ec);
  return DocumentFile::Save(*workspace_, DocumentFile::kPreferences, prefsPath_, error);
}

Application::Doc* Application::Find(const IDataBase* db) const {
  for (auto& d : docs_)
    if (d->db.get() == db) return d.get();
  return nullptr;
}

void Application::Signal(ServiceID signal, const UIDRef& doc) { SendDocumentSignal(signal, doc); }

void SendDocumentSignal(ServiceID signal, const UIDRef& doc) {
  IPMUnknown* obj = CreateObject(kDocumentSignalBoss, IID_ISIGNALMGR);
  if (!obj) return;
  InterfacePtr<ISignalMgr> mgr(static_cast<ISignalMgr*>(obj));
  static_cast<SignalMgrImpl*>(mgr.get())->SetServiceID(signal);
  InterfacePtr<IDocumentSignalData> data(mgr.get(), IID_IDOCUMENTSIGNALDATA);
  static_cast<DocumentSignalDataImpl*>(data.get())->SetDocument(doc);
  for (ClassID cls : ServiceRegistry::ProvidersOf(signal)) {
    InterfacePtr<IResponder> responder(static_cast<IResponder*>(CreateObject(cls, IID_IRESPONDER)));
    if (responder) responder->Respond(mgr.get());
  }
}

void Application::SignalConversion(const UIDRef& doc, const std::map<PluginID, int32>& convertedFrom) {
  InterfacePtr<ISignalMgr> mgr(static_cast<ISignalMgr*>(CreateObject(kConversionSignalBoss, IID_ISIGNALMGR)));
  InterfacePtr<IConversionSignalData> data(mgr.get(), IID_ICONVERSIONSIGNALDATA);
  if (!mgr || !data) return;
  static_cast<ConversionSignalDataImpl*>(data.get())->Set(doc, convertedFrom);
  for (ClassID cls : ServiceRegistry::ProvidersOf(kPhase2ConversionSignalService)) {
    InterfacePtr<IResponder> responder(static_cast<IResponder*>(CreateObject(cls, IID_IRESPONDER)));
    if (responder) responder->Respond(mgr.get());
  }
}

DataBase* Application::NewDocument() {
  Start();
  auto doc = std::make_unique<Doc>();
  doc->untitled = ++untitledCounter_;
  doc->db = std::make_unique<DataBase>("Untitled-" + std::to_string(doc->untitled), Transactions::Process());
  DataBase* db = doc->db.get();
  db->CreateObjectAt(kRootUID, kDocBoss);
  UID workspace = db->NewUID(kDocWorkspaceBoss);
  InterfacePtr<IDocument> document(db, kRootUID);
  static_cast<DocumentImpl*>(document.get())->SetWorkspace(workspace);
  docs_.push_back(std::move(doc));
  front_ = db;
  UIDRef ref(db, kRootUID);
  Signal(kBeforeNewDocSignalResponderService, ref);
  Signal(kAfterNewDocSignalResponderService, ref);
  db->SetModified(false);
  return db;
}

DataBase* Application::OpenDocument(const std::string& path, std::string* error) {
  return Open(path, true, error);
}

DataBase* Application::OpenWithoutWindow(const std::string& path, std::string* error) {
  return Open(path, false, error);
}

Application::Doc* Application::FindByPath(const std::string& canonical) const {
  for (auto& d : docs_)
    if (!d->path.empty() && d->path == canonical) return d.get();
  return nullptr;
}

namespace {
// Counts a document being opened, for as long as the opening lasts.
class OpeningScope {
public:
  explicit OpeningScope(int32& depth) : depth_(depth) { ++depth_; }
  ~OpeningScope() { --depth_; }

private:
  int32& depth_;
};
}  // namespace

DataBase* Application::Open(const std::string& path, bool withWindow, std::string* error) {
  Start();
  std::string canonical = Canonical(path);
  if (Doc* open = FindByPath(canonical)) {
    if (withWindow) ShowWindow(open->db.get());
    return open->db.get();
  }
  OpeningScope opening(opening_);
  auto db = DocumentFile::Load(path, DocumentFile::kDocument, error);
  if (!db) return nullptr;
  InterfacePtr<IDocument> document(db.get(), kRootUID);
  if (!document) {
    *error = path + ": root object is not a document";
    return nullptr;
  }
  auto doc = std::make_unique<Doc>();
  doc->db = std::move(db);
  doc->path = canonical;
  doc->window = withWindow;
  doc->db->SetName(canonical);
  DataBase* result = doc->db.get();
  docs_.push_back(std::move(doc));
  if (withWindow || !front_) front_ = result;
  if (!result->ConvertedFrom().empty()) SignalConversion(UIDRef(result, kRootUID), result->ConvertedFrom());
  Signal(kAfterOpenDocSignalResponderService, UIDRef(result, kRootUID));
  // A converted document differs from its file until it is saved.
  result->SetModified(!result->ConvertedFrom().empty());
  return result;
}

bool Application::ShowWindow(const IDataBase* db) {
  Doc* doc = Find(db);
  if (!doc) return false;
  doc->window = true;
  front_ = doc->db.get();
  return true;
}

bool16 Application::HasWindow(const UIDRef& ref) const {
  Doc* doc = Find(ref.GetDataBase());
  return doc && doc->window;
}

bool Application::Write(Doc& doc, const std::string& path, ServiceID signal, std::string* error) {
  Signal(signal, UIDRef(doc.db.get(), kRootUID));
  return DocumentFile::Save(*doc.db, DocumentFile::kDocument, path, error);
}

bool Application::SaveDocument(DataBase* db, std::string* error) {
  Doc* doc = Find(db);
  if (!doc) {
    *error = "not an open document";
    return false;
  }
  if (doc->path.empty()) {
    *error = "document has never been saved; give it a file";
    return false;
  }
  if (!Write(*doc, doc->path, kBeforeSaveDocSignalResponderService, error)) return false;
  db->SetModified(false);
  return true;
}

bool Application::SaveDocumentAs(DataBase* db, const std::string& path, std::string* error) {
  Doc* doc = Find(db);
  if (!doc) {
    *error = "not an open document";
    return false;
  }
  // The document has its new file while it is being written, so that what
  // depends on its place (paths relative to it) is written for that place.
  const std::string before = doc->path;
  doc->path = Canonical(path);
  if (!Write(*doc, path, kBeforeSaveAsDocSignalResponderService, error)) {
    doc->path = before;
    return false;
  }
  db->SetName(doc->path);
  db->SetModified(false);
  return true;
}

bool Application::SaveACopy(DataBase* db, const std::string& path, std::string* error) {
  Doc* doc = Find(db);
  if (!doc) {
    *error = "not an open document";
    return false;
  }
  return Write(*doc, path, kBeforeSaveACopyDocSignalResponderService, error);
}

std::string BytesToSave(DataBase* db) {
  Application* app = Application::Current();
  const std::vector<DataBase*> open = app ? app->Documents() : std::vector<DataBase*>();
  if (std::find(open.begin(), open.end(), db) == open.end()) return std::string();
  SendDocumentSignal(kBeforeSaveACopyDocSignalResponderService, UIDRef(db, kRootUID));
  return DocumentFile::Serialize(*db, DocumentFile::kDocument);
}

void Application::CloseDocument(DataBase* db) {
  Doc* doc = Find(db);
  if (!doc) return;
  Signal(kBeforeCloseDocSignalResponderService, UIDRef(db, kRootUID));
  for (auto it = docs_.begin(); it != docs_.end(); ++it) {
    if (it->get() == doc) {
      std::unique_ptr<Doc> closing = std::move(*it);
      docs_.erase(it);
      break;
    }
  }
  if (front_ == db) front_ = docs_.empty() ? nullptr : docs_.back()->db.get();
  if (selectedStory_.GetDataBase() == db) selectedStory_ = UIDRef();
  Signal(kAfterCloseDocSignalResponderService, UIDRef());
}

std::vector<DataBase*> Application::Documents() const {
  std::vector<DataBase*> result;
  for (auto& d : docs_) result.push_back(d->db.get());
  return result;
}

std::string Application::DocumentPath(const IDataBase* db) const {
  Doc* doc = Find(db);
  return doc ? doc->path : std::string();
}

std::string Application::DocumentName(const IDataBase* db) const {
  Doc* doc = Find(db);
  if (!doc) return std::string();
  if (doc->path.empty()) return "Untitled-" + std::to_string(doc->untitled);
  return std::filesystem::path(doc->path).filename().string();
}

void Application::SetFrontDocument(DataBase* db) {
  if (Find(db)) front_ = db;
}

DataBase* Application::FrontDocument() const { return front_; }

UIDRef Application::GetNthDocRef(int32 n) const {
  if (n < 0 || n >= GetDocCount()) return UIDRef();
  return UIDRef(docs_[static_cast<size_t>(n)]->db.get(), kRootUID);
}

UIDRef Application::FindDocumentByFile(const IDFile& file) const {
  if (file.IsEmpty()) return UIDRef();
  Doc* doc = FindByPath(Canonical(file.GetPath()));
  return doc ? UIDRef(doc->db.get(), kRootUID) : UIDRef();
}

UIDRef Application::OpenDocumentFile(const IDFile& file) {
  std::string error;
  DataBase* db = OpenWithoutWindow(file.GetPath(), &error);
  if (!db) {
    PMString message(error.c_str());
    message.SetTranslatable(false);
    Host::Get().SetGlobalError(kFileNotFoundError, &message);
    return UIDRef();
  }
  return UIDRef(db, kRootUID);
}

UIDRef Application::GetContextDocRef() const { return front_ ? UIDRef(front_, kRootUID) : UIDRef(); }

UIDRef Application::GetContextWorkspaceRef() const {
  if (front_) {
    InterfacePtr<IDocument> doc(front_, kRootUID);
    if (doc) return doc->GetDocWorkspace();
  }
  return workspace_ ? UIDRef(workspace_.get(), kRootUID) : UIDRef();
}

bool16 Application::SelectText(const UIDRef& story, TextIndex start, TextIndex end) {
  if (!Find(story.GetDataBase())) return false;
  InterfacePtr<ITextModel> text(story, IID_ITEXTMODEL);
  if (!text) return false;
  const TextIndex length = text->TotalLength();
  start = std::max<TextIndex>(0, std::min(start, length));
  end = std::max(start, std::min(end, length));
  front_ = static_cast<DataBase*>(story.GetDataBase());
  selectedStory_ = story;
  selectionStart_ = start;
  selectionEnd_ = end;
  // The selection's extensions and observers hear of every new selection.
  InterfacePtr<ISelectionManager> manager(session_, IID_ISELECTIONMANAGER);
  if (manager) manager->SelectionChanged();
  return true;
}

bool16 Application::GetTextSelection(UIDRef* story, TextIndex* start, TextIndex* end) const {
  if (!Find(selectedStory_.GetDataBase()) || !selectedStory_.ExistsInDB()) return false;
  if (story) *story = selectedStory_;
  if (start) *start = selectionStart_;
  if (end) *end = selectionEnd_;
  return true;
}
