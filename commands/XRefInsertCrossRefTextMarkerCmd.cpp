// Puts one marker character into a story and makes a text-marker object of
// the given class for it, not yet anchored. Item list: the story in, the new
// marker out (empty on failure).
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefInsertCrossRefTextMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefInsertSourceMarkerCmdKey")};
    UIDRef story;
    const bool single = XRefCommandUtils::SingleItem(this, &story);
    IDataBase* db = GetItemList()->GetDataBase();
    SetItemList(UIDList(db));
    if (!single) return;
    InterfacePtr<IIntData> index(this, IID_IINTDATA);
    InterfacePtr<IClassIDData> cls(this, IID_ICLASSIDDATA);
    InterfacePtr<ITextModelCmds> text(story, IID_ITEXTMODELCMDS);
    if (!index || !cls || !text) return XRefCommandUtils::Fail(kInvalidParameterError);

    WideString anchor;
    anchor.Append(kTextChar_ZeroSpaceNoBreak);
    InterfacePtr<ICommand> insert(text->InsertCmd(index->Get(), anchor));
    if (!XRefCommandUtils::Process(insert.get())) return;

    InterfacePtr<ICommand> make(XRefCommandUtils::CreateCommand(kNewObjectCmdBoss, UIDList(db)));
    InterfacePtr<IClassIDData> makeClass(make.get(), IID_ICLASSIDDATA);
    if (!makeClass) return XRefCommandUtils::Fail(kInvalidParameterError);
    makeClass->Set(cls->GetClassID());
    if (!XRefCommandUtils::Process(make.get()) || make->GetItemList()->Length() != 1) return;
    SetItemList(*make->GetItemList());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefInsertCrossRefTextMarkerCmd, kXRefInsertCrossRefTextMarkerCmdImpl);
