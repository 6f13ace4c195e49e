// Carries a source marker from copied text to the paste: a paste after a
// copy makes a copy of the marker, under a name free in the target document;
// a paste after a move keeps the marker itself, which the host re-anchors.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CPMUnknown.h"
#include "host/IOwnedItemMemento.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"

namespace {
class XRefSourceMarkerMemento : public CPMUnknown<IOwnedItemMemento> {
public:
  using CPMUnknown::CPMUnknown;

  UID GetOwnedItemUID() const override { return Marker().GetUID(); }
  ErrorCode AppendCutCommands(ITextModel*, TextIndex, int32, CommandList* cmds) override { return AppendDelete(cmds); }
  ErrorCode PrepareMove() override { return kSuccess; }
  ErrorCode PrepareCopy() override {
    copyRequested_ = true;
    return kSuccess;
  }
  ErrorCode AppendMoveCommands(ITextModel*, TextIndex, int32, CommandList* cmds) override {
    return AppendDelete(cmds);
  }

  ErrorCode Paste(const UIDRef& source, const UIDRef& target, UIDRef* pasted) override {
    if (!copyRequested_) {
      if (source != target && source.GetDataBase() != target.GetDataBase()) return kFailure;
      placed_ = source;
      return kSuccess;
    }
    // The clipboard keeps this memento: each paste of it makes its own copy.
    if (!target.GetDataBase()) return kFailure;
    InterfacePtr<ICommand> copy(XRefCommandUtils::CreateCommand(kXRefCopySourceMarkerCmdBoss, UIDList(target)));
    InterfacePtr<IUIDData> object(copy.get(), IID_IUIDDATA);
    if (!object) return kFailure;
    object->Set(Marker());
    if (!XRefCommandUtils::Process(copy.get()) || copy->GetItemList()->Length() != 1) return kFailure;
    placed_ = copy->GetItemList()->GetRef(0);
    if (pasted) *pasted = placed_;
    return kSuccess;
  }

  // The copy was listed before the host anchored it, so at the end of the
  // list, and a moved marker is listed where its old place was; anchored
  // now, either goes to its place in text order.
  ErrorCode PasteFinished() override {
    InterfacePtr<IXRefSourceMarkerList> list(XRefCommandUtils::QueryMarkerList(placed_.GetDataBase()));
    if (list && list->FindMarker(placed_.GetUID()) >= 0) {
      list->RemoveMarker(placed_.GetUID());
      list->AddMarker(placed_.GetUID(), -1);
    }
    placed_ = UIDRef();
    return kSuccess;
  }
  bool16 CanPasteIntoOtherDocument() const override { return true; }

private:
  UIDRef Marker() const {
    InterfacePtr<IUIDData> marker(this, IID_IUIDDATA);
    return marker ? marker->GetRef() : UIDRef();
  }

  ErrorCode AppendDelete(CommandList* cmds) const {
    InterfacePtr<ICommand> del(XRefCommandUtils::CreateCommand(kXRefDeleteSourceMarkerCmdBoss, UIDList(Marker())));
    if (!del || !cmds) return kFailure;
    cmds->Append(del.get());
    return kSuccess;
  }

  bool copyRequested_ = false;
  UIDRef placed_;  // the copy the last paste made, or the marker it moved
};
}  // namespace

CREATE_PMINTERFACE(XRefSourceMarkerMemento, kXRefSourceMarkerMementoImpl);
