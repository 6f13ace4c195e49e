// Inserts a new named source marker at a text position: an anchor character
// goes in before the position's text, and the new marker is anchored there
// and listed. Item list: the story in, the new marker out.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefCrossRefInterior.h"
#include "model/XRefModelID.h"

namespace {
constexpr const char* kName = "QX#0xF2C#kXRefInsertSourceMarkerCmdKey";

class XRefInsertSourceMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString(kName)};
    UIDRef story;
    const bool single = XRefCommandUtils::SingleItem(this, &story);
    IDataBase* db = GetItemList()->GetDataBase();
    SetItemList(UIDList(db));
    if (!single) return;
    InterfacePtr<IRangeData> range(this, IID_IRANGEDATA);
    InterfacePtr<IStringData> name(this, IID_ISTRINGDATA);
    if (!range || !name) return XRefCommandUtils::Fail(kInvalidParameterError);
    if (XRefCrossRefInterior::IsInside(story, range->Start())) return XRefCommandUtils::Fail(kXRefInsideCrossRefError);
    const UID marker = Insert(story, range->Start(), name->Get());
    if (marker != kInvalidUID) SetItemList(UIDList(db, marker));
  }

  void DoNotify() override {
    if (GetItemList()->Length() == 1) XRefCommandUtils::NotifyDocument(this, IID_IXREFSOURCEMARKER);
  }

  PMString* CreateName() override { return new PMString(kName); }

private:
  // Each step stops the insertion when it fails; what went before stays.
  UID Insert(const UIDRef& story, TextIndex at, const PMString& name) {
    IDataBase* db = story.GetDataBase();
    InterfacePtr<ITextModelCmds> text(story, IID_ITEXTMODELCMDS);
    if (!text) {
      XRefCommandUtils::Fail(kInvalidParameterError);
      return kInvalidUID;
    }
    WideString anchor;
    anchor.Append(kTextChar_ZeroSpaceNoBreak);
    InterfacePtr<ICommand> insert(text->InsertCmd(at, anchor));
    if (!XRefCommandUtils::Process(insert.get())) return kInvalidUID;

    const UID marker = NewMarker(db);
    if (marker == kInvalidUID) return kInvalidUID;

    InterfacePtr<ICommand> setup(XRefCommandUtils::CreateCommand(kXRefSetupSourceMarkerCmdBoss, UIDList(db, marker)));
    InterfacePtr<IStringData> setupName(setup.get(), IID_ISTRINGDATA);
    if (!setupName) return Failed();
    setupName->Set(name);
    // A failed sub-command has set its own error code.
    if (!XRefCommandUtils::Process(setup.get())) return kInvalidUID;

    if (!Attach(story, marker, at)) return kInvalidUID;

    InterfacePtr<ICommand> add(XRefCommandUtils::CreateCommand(kXRefAddSourceMarkerCmdBoss, UIDList(db, marker)));
    if (!XRefCommandUtils::Process(add.get())) return kInvalidUID;
    return marker;
  }

  UID NewMarker(IDataBase* db) {
    InterfacePtr<ICommand> make(XRefCommandUtils::CreateCommand(kNewObjectCmdBoss, UIDList(db)));
    InterfacePtr<IClassIDData> cls(make.get(), IID_ICLASSIDDATA);
    if (!cls) return Failed();
    cls->Set(kXRefSourceMarkerBoss);
    if (!XRefCommandUtils::Process(make.get())) return kInvalidUID;
    return make->GetItemList()->Length() == 1 ? make->GetItemList()->At(0) : Failed();
  }

  bool Attach(const UIDRef& story, UID marker, TextIndex at) {
    InterfacePtr<ICommand> attach(XRefCommandUtils::CreateCommand(kAttachOwnedItemCmdBoss, UIDList(story)));
    InterfacePtr<IUIDData> object(attach.get(), IID_IUIDDATA);
    InterfacePtr<IIntData> index(attach.get(), IID_IINTDATA);
    InterfacePtr<IClassIDData> cls(attach.get(), IID_ICLASSIDDATA);
    if (!object || !index || !cls) {
      XRefCommandUtils::Fail(kInvalidParameterError);
      return false;
    }
    object->Set(UIDRef(story.GetDataBase(), marker));
    index->Set(at);
    cls->Set(kXRefSourceMarkerBoss);
    return XRefCommandUtils::Process(attach.get());
  }

  static UID Failed() {
    XRefCommandUtils::Fail(kInvalidParameterError);
    return kInvalidUID;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefInsertSourceMarkerCmd, kXRefInsertSourceMarkerCmdImpl);
