// The plug-in's document-wide menu actions, on the front document of the
// active context: update or convert every cross-reference, switch live
// updates, delete every source marker (after asking), and migrate the
// document between Basic and Pro cross-references. Every change is a command.
#include "commands/XRefCommandID.h"
#include "host/CActionComponent.h"
#include "host/CAlert.h"
#include "host/CmdUtils.h"
#include "host/IApplication.h"
#include "host/IStoryLock.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefSelectionID.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"
#include <cstdio>

namespace {
constexpr int16 kAnswerNo = 2;
constexpr int16 kAlertIcon = 4;

bool LiveUpdatesOn(IActiveContext* context) {
  InterfacePtr<IBoolData> live(context->GetContextWorkspaceRef(), IID_IXREFLIVEUPDATES);
  return live && live->Get();
}

int32 CrossRefCount(const UIDRef& doc) {
  InterfacePtr<IXRefCrossRefList> list(doc, IID_IXREFCROSSREFLIST);
  return list ? list->GetCrossRefCount() : 0;
}

int32 MarkerCount(const UIDRef& doc) {
  InterfacePtr<IXRefSourceMarkerList> list(doc, IID_IXREFSOURCEMARKERLIST);
  return list ? list->GetMarkerCount() : 0;
}

// Creates and processes the command; one that cannot be made is reported
// through the global error code, never passed over.
void Process(ClassID cls, const UIDList& items, bool16 flag = false, bool withFlag = false) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(cls));
  if (!cmd) {
    char text[64];
    std::snprintf(text, sizeof text, "no command of class 0x%X is installed", static_cast<unsigned>(cls));
    PMString message(text);
    message.SetTranslatable(false);
    ErrorUtils::PMSetGlobalErrorCode(kObjectNotFoundError, &message);
    return;
  }
  cmd->SetItemList(items);
  if (withFlag) {
    InterfacePtr<IBoolData> data(cmd.get(), IID_IBOOLDATA);
    if (!data) return;
    data->Set(flag);
  }
  CmdUtils::ProcessCommand(cmd.get());
}

class XRefActionComponent : public CActionComponent {
public:
  using CActionComponent::CActionComponent;

  void UpdateActionStates(IActiveContext* context, ActionStateList* actions) override {
    if (!context || !actions) return;
    const UIDRef doc = context->GetContextDocRef();
    for (int32 i = 0; i < actions->Length(); ++i) {
      const ActionID id = actions->GetNthAction(i);
      if (id == kXRefUpdateAllActionID || id == kXRefConvertAllActionID) {
        if (CrossRefCount(doc) > 0) actions->SetNthActionState(i, true);
      } else if (id == kXRefDeleteAllSourceMarkersActionID) {
        if (MarkerCount(doc) > 0) actions->SetNthActionState(i, true);
      } else if (id == kXRefLiveUpdatesActionID) {
        actions->SetNthActionState(i, true);
        actions->SetNthActionName(i, PMString(LiveUpdatesOn(context) ? "QX#0xF2C#kXRefDisableLiveUpdatesMenuItemKey"
                                                                     : "QX#0xF2C#kXRefEnableLiveUpdatesMenuItemKey"));
      } else if (id == kXRefMigrateBasicToProActionID || id == kXRefMigrateProToBasicActionID) {
        actions->SetNthActionState(i, true);
      }
    }
  }

  void DoAction(IActiveContext* context, ActionID id) override {
    if (!context) return;
    const UIDRef doc = context->GetContextDocRef();
    if (id == kXRefLiveUpdatesActionID) {
      const UIDRef workspace = context->GetContextWorkspaceRef();
      if (workspace.GetDataBase())
        Process(kXRefEnableLiveUpdatesCmdBoss, UIDList(workspace), !LiveUpdatesOn(context), true);
      return;
    }
    if (!doc.GetDataBase()) return;
    if (id == kXRefUpdateAllActionID) ProcessOnAll(kXRefUpdateCrossRefCmdBoss, doc);
    else if (id == kXRefConvertAllActionID) ProcessOnAll(kXRefConvertCrossRefToTextCmdBoss, doc);
    else if (id == kXRefDeleteAllSourceMarkersActionID) DeleteAllSourceMarkers(doc);
    else if (id == kXRefMigrateBasicToProActionID) Process(kXRefMigrateBasicToProCmdBoss, UIDList(doc));
    else if (id == kXRefMigrateProToBasicActionID) Process(kXRefMigrateProToBasicCmdBoss, UIDList(doc));
  }

private:
  static void ProcessOnAll(ClassID cls, const UIDRef& doc) {
    InterfacePtr<IXRefCrossRefList> list(doc, IID_IXREFCROSSREFLIST);
    if (!list) return;
    UIDList items(doc.GetDataBase());
    for (int32 i = 0; i < list->GetCrossRefCount(); ++i) items.Append(list->GetCrossRefUID(i));
    Process(cls, items);
  }

  // True when every marker's character can go: a marker in a locked story
  // stops the action before anything changed (the story-locked error set),
  // so that it never leaves some markers deleted and others not.
  static bool AllDeletable(const UIDList& markers) {
    for (int32 i = 0; i < markers.Length(); ++i) {
      InterfacePtr<IXRefSourceMarker> marker(markers.GetRef(i), IID_IXREFSOURCEMARKER);
      InterfacePtr<IStoryLock> lock(marker ? marker->GetStoryRef() : UIDRef(), IID_ISTORYLOCK);
      if (!lock || !lock->IsLocked()) continue;
      ErrorUtils::PMSetGlobalErrorCode(kStoryLockedError);
      return false;
    }
    return true;
  }

  // One undo step. Should a marker's character still not go, the list and
  // the marker objects are left alone: clearing them would leave characters
  // anchoring deleted markers.
  static void DeleteAllSourceMarkers(const UIDRef& doc) {
    PMString question("QX#0xF2C#kXRefDeleteAllSourceMarkersQuestionKey");
    question.Translate();
    if (CAlert::ModalAlert(question, PMString("Yes"), PMString("No"), PMString(), kAnswerNo) == kAnswerNo) return;
    InterfacePtr<IXRefSourceMarkerList> list(doc, IID_IXREFSOURCEMARKERLIST);
    if (!list) return;
    const UIDList markers = list->GetMarkers();
    if (!AllDeletable(markers)) return;
    CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefDeleteAllSourceMarkersCmdKey")};
    for (int32 i = 0; i < markers.Length(); ++i) {
      InterfacePtr<IXRefSourceMarker> marker(markers.GetRef(i), IID_IXREFSOURCEMARKER);
      if (!marker) continue;  // gone with an earlier deletion
      InterfacePtr<ITextModelCmds> text(marker->GetStoryRef(), IID_ITEXTMODELCMDS);
      InterfacePtr<ICommand> del(text ? text->DeleteCmd(marker->GetTextIndex(), 1) : nullptr);
      if (!del) return;
      if (CmdUtils::ProcessCommand(del.get()) != kSuccess) return;
    }
    while (list->GetMarkerCount() > 0) list->RemoveMarker(list->GetMarkerUID(0));
    IDataBase* db = doc.GetDataBase();
    for (UID orphan : db->GetUIDsOfClass(kXRefSourceMarkerBoss)) db->DeleteUID(orphan);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefActionComponent, kXRefActionComponentImpl);
