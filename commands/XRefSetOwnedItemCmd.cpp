// Anchors an object at a character of a story as the owned item of a class;
// no object detaches the one there, leaving the character.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefSetOwnedItemCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef story;
    if (!XRefCommandUtils::SingleItem(this, &story)) return;
    InterfacePtr<IUIDData> object(this, IID_IUIDDATA);
    InterfacePtr<IIntData> index(this, IID_IINTDATA);
    InterfacePtr<IClassIDData> cls(this, IID_ICLASSIDDATA);
    if (!object || !index || !cls) return XRefCommandUtils::Fail(kInvalidParameterError);
    if (object->GetRef().GetDataBase() && object->GetRef().GetDataBase() != story.GetDataBase())
      return XRefCommandUtils::Fail(kInvalidParameterError);
    InterfacePtr<ITextModel> model(story);
    InterfacePtr<IOwnedItemStrand> strand(
        model ? static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND))
              : nullptr);
    if (!strand) return XRefCommandUtils::Fail(kObjectNotFoundError);
    const UID uid = object->GetRef().GetDataBase() ? object->GetUID() : kInvalidUID;
    if (!strand->SetOwnedItem(index->Get(), cls->GetClassID(), uid)) XRefCommandUtils::Fail(kTextRangeError);
  }

  PMString* CreateName() override { return new PMString(); }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetOwnedItemCmd, kXRefSetOwnedItemCmdImpl);
