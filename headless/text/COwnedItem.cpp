#include "host/COwnedItem.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"

UIDRef COwnedItem::GetStoryRef() const {
  IDataBase* db = ::GetDataBase(this);
  return story_ != kInvalidUID && db ? UIDRef(db, story_) : UIDRef();
}

TextIndex COwnedItem::GetTextIndex() const {
  InterfacePtr<ITextModel> story(GetStoryRef());
  if (!story) return kInvalidTextIndex;
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(story->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  return strand ? strand->FindOwnedItem(::GetUID(this)) : kInvalidTextIndex;
}

void COwnedItem::SetAnchorStory(UID story) {
  if (story == story_) return;
  PreDirty();
  story_ = story;
}

ICommand* COwnedItem::QueryDeleteCommand() {
  ICommand* cmd = CmdUtils::CreateCommand(kDeleteOwnedItemCmdBoss);
  if (cmd) cmd->SetItemList(UIDList(::GetUIDRef(this)));
  return cmd;
}

void COwnedItem::ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(story_); }
