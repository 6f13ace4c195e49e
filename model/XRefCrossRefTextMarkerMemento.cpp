// Carries a text marker from copied text to the paste. The first marker of a
// pair pasted into a story waits in the story's pending-marker slot; the
// second copies the cross-reference and wires the pair to the copy.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CPMUnknown.h"
#include "host/IOwnedItemMemento.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/IXRefPendingMarker.h"
#include "model/XRefCrossRefGeometry.h"
#include "model/XRefModelID.h"
#include <set>
#include <utility>

namespace {
bool IsTextMarkerClass(ClassID cls) { return cls == kXRefCrossRefStartMarkerBoss || cls == kXRefCrossRefEndMarkerBoss; }

// Markers made by the paste under way, until it finishes: an end marker
// among them stands before every marker the same paste makes later.
std::set<std::pair<IDataBase*, UID>>& MadeInThisPaste() {
  static std::set<std::pair<IDataBase*, UID>> made;
  return made;
}

bool SetRef(ICommand* cmd, PMIID iid, const UIDRef& ref) {
  InterfacePtr<IUIDData> data(cmd, iid);
  if (!data) return false;
  data->Set(ref);
  return true;
}

// The single object a command made; a null UIDRef otherwise.
UIDRef OnlyResult(ICommand* cmd) {
  const UIDList* items = cmd->GetItemList();
  return items && items->Length() == 1 ? items->GetRef(0) : UIDRef();
}

class XRefCrossRefTextMarkerMemento : public CPMUnknown<IOwnedItemMemento> {
public:
  using CPMUnknown::CPMUnknown;

  UID GetOwnedItemUID() const override { return Marker().GetUID(); }
  ErrorCode AppendCutCommands(ITextModel* story, TextIndex start, int32 length, CommandList* cmds) override {
    return AppendDelete(story, start, length, cmds);
  }
  ErrorCode PrepareMove() override { return kSuccess; }
  ErrorCode PrepareCopy() override {
    copyRequested_ = true;
    return kSuccess;
  }
  ErrorCode AppendMoveCommands(ITextModel* story, TextIndex start, int32 length, CommandList* cmds) override {
    return AppendDelete(story, start, length, cmds);
  }

  ErrorCode Paste(const UIDRef& source, const UIDRef& target, UIDRef* pasted) override {
    if (!copyRequested_) {
      if (source != target && source.GetDataBase() != target.GetDataBase()) return kFailure;
      completed_ = MovedCrossRef(source);
      return kSuccess;
    }
    // The clipboard keeps this memento: each paste of it makes its own copy.
    const UIDRef made = PasteCopy(target);
    if (made.GetDataBase() == nullptr) return kFailure;
    if (pasted) *pasted = made;
    return kSuccess;
  }

  // The copied cross-reference was listed before the host anchored its
  // markers, and a moved one is listed where its old place was; anchored
  // now, it goes to its place in text order.
  ErrorCode PasteFinished() override {
    if (lone_.GetDataBase()) MadeInThisPaste().erase({lone_.GetDataBase(), lone_.GetUID()});
    lone_ = UIDRef();
    const UIDRef crossRef = completed_;
    const bool paired = paired_;
    completed_ = UIDRef();
    paired_ = false;
    if (!crossRef.GetDataBase()) return kSuccess;
    // Markers of two cross-references copied end first, or pasted into two
    // stories, bracket nothing: the copy goes again, and both stay lone.
    if (paired && XRefCrossRefGeometry::Of(crossRef.GetDataBase(), crossRef.GetUID(), false).fault !=
                      XRefCrossRefGeometry::kSound) {
      InterfacePtr<ICommand> unpair(XRefCommandUtils::CreateCommand(kXRefDeleteCrossRefCmdBoss, UIDList(crossRef)));
      return unpair && XRefCommandUtils::Process(unpair.get()) ? kSuccess : kFailure;
    }
    InterfacePtr<IXRefCrossRefList> list(XRefCommandUtils::QueryCrossRefList(crossRef.GetDataBase()));
    if (list && list->FindCrossRef(crossRef.GetUID()) >= 0) {
      list->RemoveCrossRef(crossRef.GetUID());
      list->AddCrossRef(crossRef.GetUID(), -1);
    }
    return kSuccess;
  }
  bool16 CanPasteIntoOtherDocument() const override { return true; }

private:
  UIDRef Marker() const {
    InterfacePtr<IUIDData> marker(this, IID_IUIDDATA);
    return marker ? marker->GetRef() : UIDRef();
  }

  // The cross-reference whose start marker a move carries: its place in
  // the list follows that marker.
  static UIDRef MovedCrossRef(const UIDRef& marker) {
    IDataBase* db = marker.GetDataBase();
    if (!db || db->GetClass(marker.GetUID()) != kXRefCrossRefStartMarkerBoss) return UIDRef();
    InterfacePtr<IXRefCrossRefTextMarker> start(marker);
    return start ? UIDRef(db, start->GetMarkerCrossRef()) : UIDRef();
  }

  UIDRef PasteCopy(const UIDRef& target) {
    InterfacePtr<IXRefCrossRefTextMarker> copied(Marker());
    if (!copied || !target.GetDataBase()) return UIDRef();
    InterfacePtr<ICommand> copyMarker(
        XRefCommandUtils::CreateCommand(kXRefCopyCrossRefTextMarkerCmdBoss, UIDList(target)));
    if (!copyMarker || !SetRef(copyMarker.get(), IID_IUIDDATA, Marker())) return UIDRef();
    InterfacePtr<IXRefPendingMarker> slot(target, IID_IXREFPENDINGMARKER);
    if (!slot) return UIDRef();
    // Only a start and an end make a pair. Otherwise this marker begins a
    // pair of its own, and one pending before stays a lone marker.
    if (!Completes(slot->GetPendingRef())) return PasteFirst(copyMarker.get(), slot.get());
    return PasteSecond(copyMarker.get(), slot.get(), copied->GetMarkerCrossRef(), target);
  }

  // Whether the pending marker and this one make a pair: a start and an
  // end, and not an end this paste made before a start (the end of one
  // cross-reference, then the start of the next).
  bool Completes(const UIDRef& pending) const {
    const UIDRef marker = Marker();
    const ClassID mine = marker.GetDataBase()->GetClass(marker.GetUID());
    const ClassID waiting = pending.GetDataBase() ? pending.GetDataBase()->GetClass(pending.GetUID()) : kInvalidClass;
    if (!IsTextMarkerClass(waiting) || !IsTextMarkerClass(mine) || waiting == mine) return false;
    return !(mine == kXRefCrossRefStartMarkerBoss && MadeInThisPaste().count({pending.GetDataBase(), pending.GetUID()}));
  }

  // The first marker of a pair: copied unwired, it waits for its partner.
  UIDRef PasteFirst(ICommand* copyMarker, IXRefPendingMarker* slot) {
    if (!SetRef(copyMarker, IID_IXREFCROSSREFDATA, UIDRef()) ||
        !SetRef(copyMarker, IID_IXREFPARTNERMARKERDATA, UIDRef()) || !XRefCommandUtils::Process(copyMarker))
      return UIDRef();
    const UIDRef made = OnlyResult(copyMarker);
    if (!made.GetDataBase()) return made;
    slot->SetPending(made);
    lone_ = made;
    MadeInThisPaste().insert({made.GetDataBase(), made.GetUID()});
    return made;
  }

  // The second marker: the cross-reference is copied and both markers wired
  // to the copy, the one of start class as its start.
  UIDRef PasteSecond(ICommand* copyMarker, IXRefPendingMarker* slot, UID sourceCrossRef, const UIDRef& target) {
    IDataBase* db = target.GetDataBase();
    const UIDRef pending = slot->GetPendingRef();
    InterfacePtr<ICommand> copyCrossRef(XRefCommandUtils::CreateCommand(kXRefCopyCrossRefCmdBoss, UIDList(target)));
    if (!copyCrossRef || !SetRef(copyCrossRef.get(), IID_IUIDDATA, UIDRef(Marker().GetDataBase(), sourceCrossRef)) ||
        !XRefCommandUtils::Process(copyCrossRef.get()))
      return UIDRef();
    const UIDRef crossRef = OnlyResult(copyCrossRef.get());
    if (!crossRef.GetDataBase()) return UIDRef();

    if (!SetRef(copyMarker, IID_IXREFCROSSREFDATA, crossRef) ||
        !SetRef(copyMarker, IID_IXREFPARTNERMARKERDATA, pending) || !XRefCommandUtils::Process(copyMarker))
      return UIDRef();
    const UIDRef made = OnlyResult(copyMarker);
    if (!made.GetDataBase()) return UIDRef();
    slot->ClearPending();

    const bool madeIsStart = db->GetClass(made.GetUID()) == kXRefCrossRefStartMarkerBoss;
    InterfacePtr<ICommand> setMarkers(
        XRefCommandUtils::CreateCommand(kXRefSetCrossRefTextMarkersCmdBoss, UIDList(crossRef)));
    if (!setMarkers || !SetRef(setMarkers.get(), IID_IXREFSTARTMARKERDATA, madeIsStart ? made : pending) ||
        !SetRef(setMarkers.get(), IID_IXREFENDMARKERDATA, madeIsStart ? pending : made) ||
        !XRefCommandUtils::Process(setMarkers.get()))
      return UIDRef();

    InterfacePtr<ICommand> setup(XRefCommandUtils::CreateCommand(kXRefSetupCrossRefTextMarkerCmdBoss, UIDList(pending)));
    if (!setup || !SetRef(setup.get(), IID_IXREFCROSSREFDATA, crossRef) ||
        !SetRef(setup.get(), IID_IXREFPARTNERMARKERDATA, made) || !XRefCommandUtils::Process(setup.get()))
      return UIDRef();
    completed_ = crossRef;
    paired_ = true;
    return made;
  }

  // At the first text marker in the range: the marker goes, and its
  // cross-reference too when that marker is its partner (the range holds
  // the whole pair).
  ErrorCode AppendDelete(ITextModel* story, TextIndex start, int32 length, CommandList* cmds) const {
    InterfacePtr<IXRefCrossRefTextMarker> marker(Marker());
    if (!marker || !story || !cmds) return kFailure;
    InterfacePtr<IOwnedItemStrand> strand(
        static_cast<IOwnedItemStrand*>(story->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
    if (!strand) return kFailure;
    for (const OwnedItemInfo& info : strand->GetOwnedItems(start, length)) {
      if (!IsTextMarkerClass(info.cls)) continue;
      IDataBase* db = Marker().GetDataBase();
      if (info.uid == marker->GetPartnerMarker()) {
        InterfacePtr<ICommand> del(
            XRefCommandUtils::CreateCommand(kXRefDeleteCrossRefCmdBoss, UIDList(db, marker->GetMarkerCrossRef())));
        if (del) cmds->Append(del.get());
      }
      InterfacePtr<ICommand> delMarker(XRefCommandUtils::CreateCommand(kDeleteOwnedItemCmdBoss, UIDList(Marker())));
      if (delMarker) cmds->Append(delMarker.get());
      return kSuccess;
    }
    return kFailure;
  }

  bool copyRequested_ = false;
  UIDRef completed_;  // the cross-reference the last paste completed or moved
  UIDRef lone_;       // the marker the last paste left waiting for its partner
  bool paired_ = false;  // completed_ is a copy this paste wired, not a moved one
};
}  // namespace

CREATE_PMINTERFACE(XRefCrossRefTextMarkerMemento, kXRefCrossRefTextMarkerMementoImpl);
