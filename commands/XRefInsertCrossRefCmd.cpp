// Inserts a complete cross-reference over a text range: the range's text
// goes, two marker characters come in its place, and the cross-reference is
// made, wired to its markers, anchored, listed and composed, as one undo
// step. Item list: the story in, the new cross-reference out (empty on any
// failure, with the failing step's error left set).
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefFormatData.h"
#include "model/XRefCrossRefInterior.h"
#include "model/XRefModelID.h"

namespace {
constexpr const char* kName = "QX#0xF2C#kXRefInsertCrossRefCmdKey";

struct Parameters {
  TextIndex start = 0;
  int32 length = 0;
  IDFile file;
  PMString markerName;
  PMString formatName;
  PMString format;
  bool16 hyperlink = false;
};

bool SetRef(ICommand* cmd, PMIID iid, const UIDRef& ref) {
  InterfacePtr<IUIDData> data(cmd, iid);
  if (data) data->Set(ref);
  return data != nullptr;
}

class XRefInsertCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString(kName)};
    UIDRef story;
    const bool single = XRefCommandUtils::SingleItem(this, &story);
    IDataBase* db = GetItemList()->GetDataBase();
    SetItemList(UIDList(db));
    Parameters p;
    if (!single || !Fetch(&p) || !Acceptable(story, p)) return;
    const UID crossRef = Insert(story, p);
    if (crossRef != kInvalidUID) SetItemList(UIDList(db, crossRef));
  }

  PMString* CreateName() override { return new PMString(kName); }

private:
  bool Fetch(Parameters* p) {
    InterfacePtr<IRangeData> range(this, IID_IRANGEDATA);
    InterfacePtr<IFileData> file(this, IID_IFILEDATA);
    InterfacePtr<IStringData> name(this, IID_ISTRINGDATA);
    InterfacePtr<IXRefFormatData> format(this, IID_IXREFFORMATDATA);
    InterfacePtr<IBoolData> hyperlink(this, IID_IBOOLDATA);
    if (!range || !file || !name || !format || !hyperlink) {
      XRefCommandUtils::Fail(kInvalidParameterError);
      return false;
    }
    *p = {range->Start(), range->Length(), file->GetFile(), name->Get(), format->GetFormatName(),
          format->GetFormatString(), hyperlink->Get()};
    return true;
  }

  // Refused before anything is made: a place inside another
  // cross-reference's text, and a hyperlink the host cannot make.
  static bool Acceptable(const UIDRef& story, const Parameters& p) {
    if (XRefCrossRefInterior::IsInside(story, p.start)) XRefCommandUtils::Fail(kXRefInsideCrossRefError);
    else if (p.hyperlink && !p.file.IsEmpty()) XRefCommandUtils::Fail(kXRefHyperlinkToOtherDocumentError);
    else return true;
    return false;
  }

  // Each step stops the insertion when it fails; what went before stays in
  // the open sequence, for the caller to undo.
  UID Insert(const UIDRef& story, const Parameters& p) {
    IDataBase* db = story.GetDataBase();
    if (p.length > 0) {
      InterfacePtr<ITextModelCmds> text(story, IID_ITEXTMODELCMDS);
      if (!text) return Failed();
      InterfacePtr<ICommand> del(text->DeleteCmd(p.start, p.length));
      if (!XRefCommandUtils::Process(del.get())) return kInvalidUID;
    }
    const UIDRef start = InsertMarker(story, p.start, kXRefCrossRefStartMarkerBoss);
    if (!start.GetDataBase()) return kInvalidUID;
    const UIDRef end = InsertMarker(story, p.start + 1, kXRefCrossRefEndMarkerBoss);
    if (!end.GetDataBase()) return kInvalidUID;
    const UIDRef crossRef = NewCrossRef(db);
    if (!crossRef.GetDataBase()) return kInvalidUID;
    if (!SetupMarker(start, crossRef, end) || !SetupMarker(end, crossRef, start)) return kInvalidUID;
    if (!SetupCrossRef(crossRef, p, start, end)) return kInvalidUID;
    if (!Anchor(story, start, p.start, kXRefCrossRefStartMarkerBoss)) return kInvalidUID;
    if (!Anchor(story, end, p.start + 1, kXRefCrossRefEndMarkerBoss)) return kInvalidUID;
    if (!Run(kXRefAddCrossRefCmdBoss, crossRef)) return kInvalidUID;
    if (p.hyperlink && !Run(kXRefCreateCrossRefHyperlinkCmdBoss, crossRef)) return kInvalidUID;
    if (!Run(kXRefUpdateCrossRefCmdBoss, crossRef)) return kInvalidUID;
    return crossRef.GetUID();
  }

  UIDRef InsertMarker(const UIDRef& story, TextIndex at, ClassID cls) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefInsertCrossRefTextMarkerCmdBoss, UIDList(story)));
    InterfacePtr<IIntData> index(cmd.get(), IID_IINTDATA);
    InterfacePtr<IClassIDData> kind(cmd.get(), IID_ICLASSIDDATA);
    if (!index || !kind) return FailedRef();
    index->Set(at);
    kind->Set(cls);
    if (!XRefCommandUtils::Process(cmd.get()) || cmd->GetItemList()->Length() != 1) return UIDRef();
    return cmd->GetItemList()->GetRef(0);
  }

  UIDRef NewCrossRef(IDataBase* db) {
    InterfacePtr<ICommand> make(XRefCommandUtils::CreateCommand(kNewObjectCmdBoss, UIDList(db)));
    InterfacePtr<IClassIDData> cls(make.get(), IID_ICLASSIDDATA);
    if (!cls) return FailedRef();
    cls->Set(kXRefCrossRefBoss);
    if (!XRefCommandUtils::Process(make.get()) || make->GetItemList()->Length() != 1) return UIDRef();
    return make->GetItemList()->GetRef(0);
  }

  bool SetupMarker(const UIDRef& marker, const UIDRef& crossRef, const UIDRef& partner) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetupCrossRefTextMarkerCmdBoss, UIDList(marker)));
    if (!SetRef(cmd.get(), IID_IXREFCROSSREFDATA, crossRef) || !SetRef(cmd.get(), IID_IXREFPARTNERMARKERDATA, partner))
      return Failed() != kInvalidUID;
    return XRefCommandUtils::Process(cmd.get());
  }

  bool SetupCrossRef(const UIDRef& crossRef, const Parameters& p, const UIDRef& start, const UIDRef& end) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetupCrossRefCmdBoss, UIDList(crossRef)));
    InterfacePtr<IFileData> file(cmd.get(), IID_IFILEDATA);
    InterfacePtr<IStringData> name(cmd.get(), IID_ISTRINGDATA);
    InterfacePtr<IXRefFormatData> format(cmd.get(), IID_IXREFFORMATDATA);
    if (!file || !name || !format || !SetRef(cmd.get(), IID_IXREFSTARTMARKERDATA, start) ||
        !SetRef(cmd.get(), IID_IXREFENDMARKERDATA, end))
      return Failed() != kInvalidUID;
    file->Set(p.file);
    name->Set(p.markerName);
    format->SetFormatData(p.formatName, p.format);
    return XRefCommandUtils::Process(cmd.get());
  }

  bool Anchor(const UIDRef& story, const UIDRef& marker, TextIndex at, ClassID cls) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetOwnedItemCmdBoss, UIDList(story)));
    InterfacePtr<IUIDData> object(cmd.get(), IID_IUIDDATA);
    InterfacePtr<IIntData> index(cmd.get(), IID_IINTDATA);
    InterfacePtr<IClassIDData> kind(cmd.get(), IID_ICLASSIDDATA);
    if (!object || !index || !kind) return Failed() != kInvalidUID;
    object->Set(marker);
    index->Set(at);
    kind->Set(cls);
    return XRefCommandUtils::Process(cmd.get());
  }

  // A command that cannot be made fails like any other.
  bool Run(ClassID cls, const UIDRef& crossRef) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(cls, UIDList(crossRef)));
    return XRefCommandUtils::Process(cmd.get());
  }

  static UID Failed() {
    XRefCommandUtils::Fail(kInvalidParameterError);
    return kInvalidUID;
  }
  static UIDRef FailedRef() {
    Failed();
    return UIDRef();
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefInsertCrossRefCmd, kXRefInsertCrossRefCmdImpl);
