#include "headless/application/SessionObjects.h"
#include "headless/application/Application.h"
#include "headless/database/DataBase.h"
#include "headless/objects/Host.h"
#include "host/IPMStream.h"
#include "host/InterfacePtr.h"

IActiveContext* SessionImpl::GetActiveContext() const { return Application::Current(); }

UIDRef SessionImpl::GetWorkspaceRef() const {
  Application* app = Application::Current();
  return app && app->Workspace() ? UIDRef(app->Workspace(), kRootUID) : UIDRef();
}

IApplication* SessionImpl::GetApplication() const { return Application::Current(); }

ISession* GetExecutionContextSession() {
  Application* app = Application::Current();
  if (!app || !app->Session()) return nullptr;
  InterfacePtr<ISession> session(app->Session(), IID_ISESSION);
  return session.get();  // the application holds the object
}

void ImplementationRegistryImpl::InstallImplementation(PluginID plugin, ImplementationID id, CreateImplFunc create,
                                                       DestroyImplFunc destroy, SizeImplFunc size,
                                                       ReadWriteImplFunc readWrite, uint32, uint32) {
  Host::Get().Impls().Install({plugin, id, create, destroy, size, readWrite});
}

void ImplementationRegistryImpl::InstallPair(uint32, uint32) {}

UIDRef DocumentImpl::GetDocWorkspace() const { return UIDRef(::GetDataBase(this), workspace_); }

void DocumentImpl::GetName(PMString* name) const {
  if (!name) return;
  Application* app = Application::Current();
  *name = PMString(app ? app->DocumentName(::GetDataBase(this)) : std::string());
  name->SetTranslatable(false);
}

IDFile DocumentImpl::GetFile() const {
  Application* app = Application::Current();
  return IDFile(app ? app->DocumentPath(::GetDataBase(this)) : std::string());
}

bool16 DocumentImpl::IsSaved() const { return !GetFile().IsEmpty(); }

void DocumentImpl::SetWorkspace(UID uid) {
  if (uid == workspace_) return;
  PreDirty();
  workspace_ = uid;
}

void DocumentImpl::ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(workspace_); }

bool16 PlugInDataImpl::HasData(PluginID plugin) const {
  auto* db = static_cast<DataBase*>(::GetDataBase(this));
  return db && !db->WithdrawnPlugins().count(plugin);
}

void PlugInDataImpl::SetHasData(PluginID plugin, bool16 hasData) {
  if (auto* db = static_cast<DataBase*>(::GetDataBase(this))) db->SetPluginWithdrawn(plugin, !hasData);
}
