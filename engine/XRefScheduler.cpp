// A document's update scheduler. Reports only queue; each pass (run by the
// idle task) ripens what was reported a pass earlier, turns ripe source
// markers into their cross-references here and in other open documents,
// and recomposes ripe cross-references whose text is out of date with one
// live update command. The queues live in memory only.
//
// `busy_` is set for the whole pass and cleared at every end, failures
// included: a pass that stopped early, or an update command that failed,
// must not leave the document without live updates until it is reopened.
#include "commands/XRefCommandID.h"
#include "engine/IXRefScheduler.h"
#include "engine/XRefEngineID.h"
#include "engine/XRefPendingMap.h"
#include "host/CPMUnknown.h"
#include "host/IControllingUnknown.h"
#include "host/CmdUtils.h"
#include "host/IApplication.h"
#include "host/IDocument.h"
#include "host/IDocumentList.h"
#include "host/IScriptUtils.h"
#include "host/ISession.h"
#include "host/IStoryLock.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"
#include <set>
#include <vector>

namespace {
IDocumentList* OpenDocuments() {
  ISession* session = GetExecutionContextSession();
  IApplication* app = session ? session->GetApplication() : nullptr;
  return app ? app->GetDocumentList() : nullptr;
}

class BusyScope {
public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }

private:
  bool& busy_;
};

class XRefScheduler : public CPMUnknown<IXRefScheduler> {
public:
  using CPMUnknown::CPMUnknown;

  void MarkChanged(UID uid) override {
    if (busy_) {
      // Dropped, but remembered: the echo of this pass's own update has come.
      heardDuringPass_.insert(uid);
      return;
    }
    IDataBase* db = ::GetDataBase(this);
    if (!db) return;
    const ClassID cls = db->GetClass(uid);
    if (cls == kXRefSourceMarkerBoss) {
      pendingSourceMarkers_.Report(uid);
      return;
    }
    if (cls != kXRefCrossRefBoss) return;
    // The report that follows the scheduler's own update is swallowed once.
    if (selfUpdated_.erase(uid)) return;
    pendingCrossRefs_.Report(uid);
  }

  void MarkAllCrossRefs(bool16 externalOnly) override {
    if (busy_) return;
    // Every edit that takes a source marker reports them all; the list is
    // walked once, when they ripen, not by each edit.
    if (!externalOnly) {
      pendingCrossRefs_.ReportAll();
      return;
    }
    IDataBase* db = ::GetDataBase(this);
    InterfacePtr<IXRefCrossRefList> list(db, db ? db->GetRootUID() : kInvalidUID);
    if (!list) return;
    for (int32 i = 0; i < list->GetCrossRefCount(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(list->QueryCrossRef(i));
      if (!crossRef) return;
      if (crossRef->IsExternal()) pendingCrossRefs_.Report(list->GetCrossRefUID(i));
    }
  }

  void RunUpdates() override {
    if (busy_ || !LiveUpdatesOn() || UpdatesBlocked()) return;
    BusyScope pass(busy_);
    heardDuringPass_.clear();
    if (!SourceMarkerPass()) return;
    UIDList ripe(::GetDataBase(this));
    if (!CrossRefPass(&ripe) || ripe.IsEmpty()) return;
    KeepOutOfDate(&ripe);
    if (ripe.IsEmpty()) return;
    Recompose(ripe);
  }

private:
  bool LiveUpdatesOn() const {
    InterfacePtr<IDocument> doc(this, IID_IDOCUMENT);
    InterfacePtr<IBoolData> live(doc ? doc->GetDocWorkspace() : UIDRef(), IID_IXREFLIVEUPDATES);
    return live && live->Get();
  }

  // While a document opens or a script holds updates, the update command
  // would refuse to work; the queues wait instead of being spent on nothing.
  static bool UpdatesBlocked() {
    InterfacePtr<IScriptUtils> utils(UtilsBoss::QueryUtils<IScriptUtils>());
    return utils && utils->AreUpdatesBlocked();
  }

  // False when the pass had to end.
  bool SourceMarkerPass() {
    IDataBase* db = ::GetDataBase(this);
    InterfacePtr<IXRefSourceMarkerList> markers(db, db->GetRootUID());
    IDocumentList* docs = OpenDocuments();
    pendingSourceMarkers_.StartPass();
    for (auto it = pendingSourceMarkers_.begin(); it != pendingSourceMarkers_.end();) {
      if (!pendingSourceMarkers_.IsRipe(it)) {
        ++it;
        continue;
      }
      if (markers && markers->FindMarker(it->first) >= 0) {
        InterfacePtr<IXRefSourceMarker> marker(db, it->first);
        if (!marker) return false;
        QueueUsersOf(marker->GetMarkerName(), docs);
      }
      it = pendingSourceMarkers_.Handled(it);
    }
    return true;
  }

  // The cross-references that name the marker: here straight into this
  // queue, in other open documents (only when this one has a file they can
  // point at) through their own schedulers.
  void QueueUsersOf(const PMString& name, IDocumentList* docs) {
    IDataBase* db = ::GetDataBase(this);
    if (!docs) return;
    InterfacePtr<IDocument> self(this, IID_IDOCUMENT);
    const IDFile file = self ? self->GetFile() : IDFile();
    for (int32 d = 0; d < docs->GetDocCount(); ++d) {
      const UIDRef doc = docs->GetNthDoc(d);
      InterfacePtr<IXRefCrossRefList> list(doc, IID_IXREFCROSSREFLIST);
      if (!list) return;
      if (doc.GetDataBase() == db) {
        const UIDList users = list->GetCrossRefsBySourceMarker(name);
        for (int32 i = 0; i < users.Length(); ++i) pendingCrossRefs_.Report(users[i]);
        continue;
      }
      if (file.IsEmpty()) continue;
      InterfacePtr<IXRefScheduler> other(doc, IID_IXREFSCHEDULER);
      if (!other) return;
      const UIDList users = list->GetCrossRefsBySource(file, name);
      for (int32 i = 0; i < users.Length(); ++i) other->MarkChanged(users[i]);
    }
  }

  // Collects ripe cross-references of unlocked stories; false when the pass
  // had to end.
  bool CrossRefPass(UIDList* ripe) {
    IDataBase* db = ::GetDataBase(this);
    // Without its list the pass ends before anything ripens, so a report of
    // everything is not spent on nothing.
    InterfacePtr<IXRefCrossRefList> list(db, db->GetRootUID());
    if (!list) return false;
    if (pendingCrossRefs_.StartPass())
      for (int32 i = 0; i < list->GetCrossRefCount(); ++i) pendingCrossRefs_.AddRipe(list->GetCrossRefUID(i));
    for (auto it = pendingCrossRefs_.begin(); it != pendingCrossRefs_.end();) {
      if (!pendingCrossRefs_.IsRipe(it)) {
        ++it;
        continue;
      }
      // One no longer listed stays queued without effect (undo may list it
      // again).
      if (list->FindCrossRef(it->first) < 0) {
        ++it;
        continue;
      }
      InterfacePtr<IXRefCrossRef> crossRef(db, it->first);
      if (!crossRef) return false;
      InterfacePtr<IStoryLock> lock(crossRef->GetStoryRef(), IID_ISTORYLOCK);
      if (!lock) return false;
      if (lock->IsLocked()) {
        // Tried again two passes later.
        pendingCrossRefs_.Wait(it);
        ++it;
        continue;
      }
      ripe->Append(it->first);
      it = pendingCrossRefs_.Handled(it);
    }
    return true;
  }

  static void KeepOutOfDate(UIDList* ripe) {
    for (int32 i = 0; i < ripe->Length();) {
      InterfacePtr<IXRefCrossRef> crossRef(ripe->GetRef(i));
      if (!crossRef) return;
      if (crossRef->NeedsUpdate()) ++i;
      else ripe->Remove(i);
    }
  }

  void Recompose(const UIDList& crossRefs) {
    InterfacePtr<ICommand> update(CmdUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss));
    InterfacePtr<IBoolData> live(update.get(), IID_IBOOLDATA);
    if (!update || !live) return;
    std::vector<PMString> before;
    for (int32 i = 0; i < crossRefs.Length(); ++i) before.push_back(TextOf(crossRefs.GetRef(i)));
    update->SetItemList(crossRefs);
    update->SetUndoability(ICommand::kAutoUndo);
    live->Set(true);
    if (CmdUtils::ProcessCommand(update.get()) != kSuccess) {
      // Nobody waits on a background update's result; the next report of
      // these cross-references tries again.
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
      return;
    }
    // Only an echo still to come is swallowed: the layout's, after text that
    // changed. One that came during the pass was dropped already, and an
    // update that changed no text has none; a later report is then another
    // change, perhaps made in another document, that must not be lost.
    for (int32 i = 0; i < crossRefs.Length(); ++i)
      if (!heardDuringPass_.count(crossRefs[i]) && TextOf(crossRefs.GetRef(i)) != before[static_cast<size_t>(i)])
        selfUpdated_.insert(crossRefs[i]);
  }

  static PMString TextOf(const UIDRef& ref) {
    InterfacePtr<IXRefCrossRef> crossRef(ref);
    return crossRef ? crossRef->GetCurrentText(false) : PMString();
  }

  XRefPendingMap pendingSourceMarkers_;
  XRefPendingMap pendingCrossRefs_;
  // Cross-references this scheduler just updated, whose next report is its
  // own echo. Only the set ones are kept.
  std::set<UID> selfUpdated_;
  // What was reported while the current pass ran.
  std::set<UID> heardDuringPass_;
  bool busy_ = false;
};
}  // namespace

CREATE_PMINTERFACE(XRefScheduler, kXRefSchedulerImpl);
