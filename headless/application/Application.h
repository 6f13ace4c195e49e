#pragma once
// The headless application: session, application workspace (persisted in a
// preferences file), open documents with their signals, plug-ins, start-up
// and shutdown services, and the idle loop. One exists at a time; tests make
// one per test, the program one per run.
#include "headless/application/AlertPolicy.h"
#include "headless/objects/Clock.h"
#include "headless/database/DataBase.h"
#include "headless/application/IdleLoop.h"
#include "host/IApplication.h"
#include "host/IDocumentList.h"
#include "host/IPlugIn.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

struct AppOptions {
  // Preferences file; empty takes $XREF_PREFS_DIR/prefs.xrefprefs, else
  // $HOME/.config/xref/prefs.xrefprefs. "-" keeps no preferences file.
  std::string prefsPath;
  Clock* clock = nullptr;  // null: the system clock
};

class Application final : public IApplication, public IActiveContext, public IDocumentList {
public:
  explicit Application(const AppOptions& options = AppOptions());
  ~Application() override;
  static Application* Current();

  // Plug-ins: a library file through GetPlugIn, or a plug-in linked into the
  // program. Either reads the plug-in's resources from its library file.
  bool LoadPlugin(const std::string& libraryPath, std::string* error);
  bool RegisterPlugin(IPlugIn* plugin, std::string* error);
  // Runs the start-up services once plug-ins are registered.
  void Start();

  // Documents. Each answers null or false with a message on failure. The
  // user's documents (made or opened here) have a window and come to the
  // front; OpenWithoutWindow opens one for a plug-in, behind the others.
  DataBase* NewDocument();
  DataBase* OpenDocument(const std::string& path, std::string* error);
  DataBase* OpenWithoutWindow(const std::string& path, std::string* error);
  // Gives an open document a window and brings it to the front; false when
  // it is not open. Giving it twice is harmless.
  bool ShowWindow(const IDataBase* doc);
  bool SaveDocument(DataBase* doc, std::string* error);
  bool SaveDocumentAs(DataBase* doc, const std::string& path, std::string* error);
  bool SaveACopy(DataBase* doc, const std::string& path, std::string* error);
  void CloseDocument(DataBase* doc);
  std::vector<DataBase*> Documents() const;
  std::string DocumentPath(const IDataBase* doc) const;
  std::string DocumentName(const IDataBase* doc) const;
  void SetFrontDocument(DataBase* doc);
  DataBase* FrontDocument() const;

  DataBase* Workspace() const { return workspace_.get(); }
  bool SavePreferences(std::string* error);
  // Where the preferences are read and written when no file is given.
  static std::string DefaultPreferencesPath();
  // Writes the preferences to this file instead ("-": nowhere), so that a
  // caller can decide later whether they replace the real file.
  void RedirectPreferences(const std::string& path) { prefsPath_ = path; }
  // Automatic updates wait while a document is being opened (read,
  // converted, its opened signal answered) or while a script holds them.
  bool UpdatesBlocked() const { return opening_ > 0 || scriptHolds_ > 0; }
  void HoldUpdates() { ++scriptHolds_; }
  void ReleaseUpdates() { scriptHolds_ = scriptHolds_ > 0 ? scriptHolds_ - 1 : 0; }

  IdleLoop& Idle() { return idle_; }
  AlertPolicy& Alerts() { return alerts_; }
  IPMUnknown* Session() const { return session_; }

  // IApplication, IDocumentList
  IDocumentList* GetDocumentList() const override { return const_cast<Application*>(this); }
  int32 GetDocCount() const override { return static_cast<int32>(docs_.size()); }
  UIDRef GetNthDoc(int32 n) const override { return GetNthDocRef(n); }
  UIDRef FindDoc(const IDFile& file) const override { return FindDocumentByFile(file); }
  bool16 HasWindow(const UIDRef& doc) const override;
  UIDRef GetFrontDoc() const override { return GetContextDocRef(); }
  UIDRef GetNthDocRef(int32 n) const override;
  UIDRef FindDocumentByFile(const IDFile& file) const override;
  UIDRef OpenDocumentFile(const IDFile& file) override;
  // IActiveContext
  UIDRef GetContextDocRef() const override;
  UIDRef GetContextWorkspaceRef() const override;
  bool16 SelectText(const UIDRef& story, TextIndex start, TextIndex end) override;
  bool16 GetTextSelection(UIDRef* story, TextIndex* start, TextIndex* end) const override;

private:
  struct Doc {
    std::unique_ptr<DataBase> db;
    std::string path;
    int32 untitled = 0;
    bool window = true;
  };
  Doc* Find(const IDataBase* db) const;
  Doc* FindByPath(const std::string& canonical) const;
  DataBase* Open(const std::string& path, bool withWindow, std::string* error);
  void Signal(ServiceID signal, const UIDRef& doc);
  // The phase-2 conversion signal of a document converted while it was read.
  void SignalConversion(const UIDRef& doc, const std::map<PluginID, int32>& convertedFrom);
  bool Write(Doc& doc, const std::string& path, ServiceID signal, std::string* error);
  void RegisterResources(const std::string& libraryFile, std::string* error);

  std::vector<std::unique_ptr<Doc>> docs_;
  DataBase* front_ = nullptr;
  UIDRef selectedStory_;
  TextIndex selectionStart_ = 0, selectionEnd_ = 0;
  std::unique_ptr<DataBase> workspace_;
  std::string prefsPath_;
  IPMUnknown* session_ = nullptr;
  IdleLoop idle_;
  AlertPolicy alerts_;
  int32 untitledCounter_ = 0;
  int32 opening_ = 0;
  int32 scriptHolds_ = 0;
  bool started_ = false;
  std::vector<void*> libraries_;
};
