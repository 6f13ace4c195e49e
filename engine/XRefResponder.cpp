// The document responder. A new document, while it is being made, receives a
// copy of the application's formats, in their order, and its live-update
// setting; nothing else gives documents the defaults, so none gets them twice.
// New and opened documents start their idle task, opened ones have their
// cross-references queued and their list repaired; documents about to be
// saved drop the plug-in's claim when they hold nothing of it, and under a
// new file relate their sources' paths to it; closing stops
// the idle task and queues the external cross-references left open.
#include "engine/XRefCrossRefListRepair.h"
#include "engine/XRefDocumentServices.h"
#include "engine/XRefEngineID.h"
#include "host/IDocument.h"
#include "host/IResponder.h"
#include "host/IScriptUtils.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefFormats.h"
#include "model/XRefModelID.h"

namespace {
class XRefResponder : public CResponder {
public:
  using CResponder::CResponder;

  void Respond(ISignalMgr* signal) override {
    if (!signal) return;
    InterfacePtr<IDocumentSignalData> data(signal, IID_IDOCUMENTSIGNALDATA);
    if (!data) return;
    const UIDRef doc = data->GetDocument();
    const ServiceID id = signal->GetServiceID();
    if (id == kBeforeNewDocSignalResponderService) GiveDefaults(doc);
    else if (id == kAfterNewDocSignalResponderService) XRefDocumentServices::Start(doc);
    else if (id == kAfterOpenDocSignalResponderService) Opened(doc);
    else if (id == kBeforeSaveAsDocSignalResponderService) SavingAs(doc);
    else if (id == kBeforeSaveDocSignalResponderService || id == kBeforeSaveACopyDocSignalResponderService)
      XRefDocumentServices::WithdrawClaimIfUnused(doc);
    else if (id == kBeforeCloseDocSignalResponderService) XRefDocumentServices::Stop(doc);
    else if (id == kAfterCloseDocSignalResponderService) XRefDocumentServices::QueueExternalEverywhere();
  }

private:
  static void Opened(const UIDRef& doc) {
    XRefDocumentServices::Start(doc);
    XRefDocumentServices::QueueOnOpen(doc);
    XRefCrossRefListRepair::Repair(doc);
  }

  static void SavingAs(const UIDRef& doc) {
    XRefDocumentServices::RelateSourcePaths(doc);
    XRefDocumentServices::WithdrawClaimIfUnused(doc);
  }

  static void GiveDefaults(const UIDRef& doc) {
    InterfacePtr<IScriptUtils> script(UtilsBoss::QueryUtils<IScriptUtils>());
    if (script && script->AreUpdatesBlocked()) return;
    InterfacePtr<IDocument> document(doc, IID_IDOCUMENT);
    ISession* session = GetExecutionContextSession();
    if (!document || !session) return;
    const UIDRef target = document->GetDocWorkspace(), source = session->GetWorkspaceRef();
    InterfacePtr<IXRefFormats> to(target), from(source);
    if (!to || !from) return;
    for (int32 i = 0; i < from->GetFormatCount(); ++i) to->AddFormat(from->GetFormatName(i), from->GetFormatString(i));
    InterfacePtr<IBoolData> live(target, IID_IXREFLIVEUPDATES), appLive(source, IID_IXREFLIVEUPDATES);
    if (live && appLive) live->Set(appLive->Get());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefResponder, kXRefResponderImpl);
