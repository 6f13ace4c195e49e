// Turns cross-references into plain text: the composed text stays, the two
// marker characters, the markers and the cross-reference object go, and the
// text no longer names a cross-reference. Behind a cancellable progress
// bar; those converted before a cancel stay converted.
// Item list: the cross-references (of one document).
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/CreateObject.h"
#include "host/IStoryLock.h"
#include "host/ITextAttrUID.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/ProgressBar.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextIDs.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/XRefCrossRefGeometry.h"
#include "model/XRefModelID.h"

namespace {
struct Place {
  UIDRef story;
  TextIndex start = 0;  // just after the start marker character
  TextIndex end = 0;    // the end marker character
  UID startMarker = kInvalidUID;
  UID endMarker = kInvalidUID;
};

class XRefConvertCrossRefToTextCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    const UIDList* items = GetItemList();
    if (!items || items->IsEmpty()) return;
    // A locked story would keep the marker characters of a deleted
    // cross-reference, and a marker out of place leaves the text's extent
    // unknown, so nothing is converted when any one is so.
    for (int32 i = 0; i < items->Length(); ++i) {
      if (InLockedStory(items->GetRef(i))) return XRefCommandUtils::Fail(kXRefStoryLockedError);
      const UIDRef ref = items->GetRef(i);
      if (XRefCrossRefGeometry::Of(ref.GetDataBase(), ref.GetUID(), false).fault != XRefCrossRefGeometry::kSound)
        return XRefCommandUtils::Fail(kXRefMarkersNotInPlaceError);
    }
    PMString title("QX#0xF2C#kXRefConvertingCrossRefsKey");
    title.Translate();
    RangeProgressBar bar(title, 0, items->Length(), true);
    for (int32 i = 0; i < items->Length(); ++i) {
      bar.SetPosition(i + 1);
      bar.SetTaskText(PMString());
      if (!Convert(items->GetRef(i))) return;
      if (bar.WasCancelled()) return;
    }
  }

  void DoNotify() override {
    if (GetItemList()->IsEmpty()) return;
    XRefCommandUtils::NotifyDocument(this, IID_IXREFCROSSREF);
    XRefCommandUtils::NotifyApplication(this, IID_IXREFCROSSREF);
  }

  PMString* CreateName() override {
    return new PMString(GetItemList()->Length() == 1 ? "QX#0xF2C#kXRefConvertCrossRefToTextCmdKey"
                                                     : "QX#0xF2C#kXRefConvertCrossRefsToTextCmdKey");
  }

private:
  static bool InLockedStory(const UIDRef& ref) {
    InterfacePtr<IXRefCrossRef> crossRef(ref);
    InterfacePtr<IStoryLock> lock(crossRef ? crossRef->GetStoryRef() : UIDRef(), IID_ISTORYLOCK);
    return lock && lock->IsLocked();
  }

  static bool Convert(const UIDRef& ref) {
    Place p;
    {
      InterfacePtr<IXRefCrossRef> crossRef(ref);
      if (!crossRef) return false;
      p = {crossRef->GetStoryRef(), crossRef->GetStartIndex(), crossRef->GetEndIndex(), crossRef->GetStartMarker(),
           crossRef->GetEndMarker()};
    }
    IDataBase* db = ref.GetDataBase();
    if (!Detach(p.story, p.end, kXRefCrossRefEndMarkerBoss)) return false;
    if (!Detach(p.story, p.start - 1, kXRefCrossRefStartMarkerBoss)) return false;
    if (!Run(kDeleteObjectCmdBoss, UIDRef(db, p.endMarker))) return false;
    if (!Run(kDeleteObjectCmdBoss, UIDRef(db, p.startMarker))) return false;
    if (!Run(kXRefDeleteCrossRefCmdBoss, ref)) return false;
    InterfacePtr<ITextModelCmds> edit(p.story, IID_ITEXTMODELCMDS);
    if (!edit) return false;
    Untag(edit.get(), p.start, p.end - p.start);
    DeleteCharacter(edit.get(), p.end);
    DeleteCharacter(edit.get(), p.start - 1);
    return true;
  }

  // The owned item of the class at the index lets go of its character.
  static bool Detach(const UIDRef& story, TextIndex at, ClassID cls) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetOwnedItemCmdBoss, UIDList(story)));
    InterfacePtr<IUIDData> object(cmd.get(), IID_IUIDDATA);
    InterfacePtr<IIntData> index(cmd.get(), IID_IINTDATA);
    InterfacePtr<IClassIDData> kind(cmd.get(), IID_ICLASSIDDATA);
    if (!object || !index || !kind) return false;
    object->Set(UIDRef());
    index->Set(at);
    kind->Set(cls);
    return XRefCommandUtils::Process(cmd.get());
  }

  static bool Run(ClassID cls, const UIDRef& item) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(cls, UIDList(item)));
    return XRefCommandUtils::Process(cmd.get());
  }

  // The text keeps every other attribute; the cross-reference attribute
  // that named the deleted object now names none.
  static void Untag(ITextModelCmds* edit, TextIndex at, int32 length) {
    if (length <= 0) return;
    InterfacePtr<ITextAttrUID> attr(CreateObject<ITextAttrUID>(kXRefCrossRefAttrBoss));
    if (!attr) return;
    attr->Set(kInvalidUID);
    AttributeBossList list;
    list.ApplyAttribute(attr->ToAttribute());
    XRefCommandUtils::ProcessMerged(InterfacePtr<ICommand>(edit->ApplyCmd(at, length, list)).get());
  }

  static void DeleteCharacter(ITextModelCmds* edit, TextIndex at) {
    if (!XRefCommandUtils::ProcessMerged(InterfacePtr<ICommand>(edit->DeleteCmd(at, 1)).get()))
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefConvertCrossRefToTextCmd, kXRefConvertCrossRefToTextCmdImpl);
