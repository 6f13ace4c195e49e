#include "engine/XRefDocumentServices.h"
#include "engine/IXRefScheduler.h"
#include "engine/XRefEngineID.h"
#include "host/ActiveSelectionObserver.h"
#include "host/SelectionIDs.h"
#include "host/IApplication.h"
#include "host/IDocumentList.h"
#include "host/IIdleTask.h"
#include "host/IPlugInData.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "integration/XRefID.h"
#include "integration/XRefSelectionID.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefSourceMarkerList.h"

namespace {
IDocumentList* OpenDocuments() {
  ISession* session = GetExecutionContextSession();
  IApplication* app = session ? session->GetApplication() : nullptr;
  return app ? app->GetDocumentList() : nullptr;
}

// Every open document but `except`, in list order, until one has no
// scheduler.
void QueueExternal(const IDataBase* except) {
  IDocumentList* docs = OpenDocuments();
  if (!docs) return;
  for (int32 i = 0; i < docs->GetDocCount(); ++i) {
    const UIDRef doc = docs->GetNthDoc(i);
    if (doc.GetDataBase() == except) continue;
    InterfacePtr<IXRefScheduler> scheduler(doc, IID_IXREFSCHEDULER);
    if (!scheduler) return;
    scheduler->MarkAllCrossRefs(true);
  }
}
}  // namespace

void XRefDocumentServices::Start(const UIDRef& doc) {
  InterfacePtr<IIdleTask> task(doc, IID_IXREFIDLETASK);
  if (!task) return;
  task->InstallTask(0);
  InterfacePtr<IObserver> observer(doc, IID_IXREFSELECTIONOBSERVER);
  InterfacePtr<ISubject> subject(GetExecutionContextSession(), IID_ISUBJECT);
  if (!observer || !subject) return;
  if (!subject->AttachObserver(observer.get(), kActiveSelectionProtocol, IID_IXREFSELECTIONOBSERVER))
    static_cast<ActiveSelectionObserver*>(observer.get())->AutoAttach();
}

void XRefDocumentServices::Stop(const UIDRef& doc) {
  InterfacePtr<IIdleTask> task(doc, IID_IXREFIDLETASK);
  if (task) task->UninstallTask();
  InterfacePtr<IObserver> observer(doc, IID_IXREFSELECTIONOBSERVER);
  if (observer) static_cast<ActiveSelectionObserver*>(observer.get())->AutoDetach();
}

void XRefDocumentServices::QueueOnOpen(const UIDRef& doc) {
  InterfacePtr<IXRefScheduler> scheduler(doc, IID_IXREFSCHEDULER);
  if (scheduler) scheduler->MarkAllCrossRefs(false);
  QueueExternal(doc.GetDataBase());
}

void XRefDocumentServices::QueueExternalEverywhere() { QueueExternal(nullptr); }

void XRefDocumentServices::WithdrawClaimIfUnused(const UIDRef& doc) {
  InterfacePtr<IXRefSourceMarkerList> markers(doc, IID_IXREFSOURCEMARKERLIST);
  InterfacePtr<IXRefCrossRefList> crossRefs(doc, IID_IXREFCROSSREFLIST);
  InterfacePtr<IPlugInData> data(doc, IID_IPLUGINDATA);
  if (!markers || !crossRefs || !data) return;
  if (markers->GetMarkerCount() != 0 || crossRefs->GetCrossRefCount() != 0) return;
  // Formats alone do not keep the claim. A later change to the plug-in's
  // data renews it.
  data->SetHasData(kXRefPluginID, false);
}

void XRefDocumentServices::RelateSourcePaths(const UIDRef& doc) {
  InterfacePtr<IXRefCrossRefList> list(doc, IID_IXREFCROSSREFLIST);
  for (int32 i = 0; list && i < list->GetCrossRefCount(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(list->QueryCrossRef(i));
    if (crossRef && crossRef->IsExternal()) crossRef->SetSourceDocument(crossRef->GetSourceDocument());
  }
}
