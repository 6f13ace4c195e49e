#pragma once
// Implementations behind the host's own classes: the session, documents and
// document signals. Headless code that builds these objects fills them through
// the concrete classes declared here.
#include "host/CPMUnknown.h"
#include "host/IDocument.h"
#include "host/IImplementationRegistry.h"
#include "host/IPlugInData.h"
#include "host/IResponder.h"
#include "host/ISession.h"

class SessionImpl : public CPMUnknown<ISession> {
public:
  using CPMUnknown::CPMUnknown;
  IActiveContext* GetActiveContext() const override;
  UIDRef GetWorkspaceRef() const override;
  IApplication* GetApplication() const override;
};

class ImplementationRegistryImpl : public CPMUnknown<IImplementationRegistry> {
public:
  using CPMUnknown::CPMUnknown;
  void InstallImplementation(PluginID plugin, ImplementationID id, CreateImplFunc create, DestroyImplFunc destroy,
                             SizeImplFunc size, ReadWriteImplFunc readWrite, uint32, uint32) override;
  void InstallPair(uint32 id, uint32 value) override;
};

class DocumentImpl : public CPMUnknown<IDocument> {
public:
  using CPMUnknown::CPMUnknown;
  UIDRef GetDocWorkspace() const override;
  void GetName(PMString* name) const override;
  IDFile GetFile() const override;
  bool16 IsSaved() const override;
  void SetWorkspace(UID uid);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID workspace_ = kInvalidUID;
};

class PlugInDataImpl : public CPMUnknown<IPlugInData> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 HasData(PluginID plugin) const override;
  void SetHasData(PluginID plugin, bool16 hasData) override;
};

class SignalMgrImpl : public CPMUnknown<ISignalMgr> {
public:
  using CPMUnknown::CPMUnknown;
  ServiceID GetServiceID() const override { return id_; }
  void SetServiceID(ServiceID id) { id_ = id; }

private:
  ServiceID id_ = kInvalidService;
};

class DocumentSignalDataImpl : public CPMUnknown<IDocumentSignalData> {
public:
  using CPMUnknown::CPMUnknown;
  UIDRef GetDocument() const override { return doc_; }
  void SetDocument(const UIDRef& doc) { doc_ = doc; }

private:
  UIDRef doc_;
};
