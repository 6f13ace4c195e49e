#include "host/COwnedItem.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"

UIDRef COwnedItem::GetStoryRef() const {
  // Asked of the item's own object, not through an interface query: every
  // marker's index goes through here.
  IDataBase* db = Boss()->GetDataBase();
  return story_ != kInvalidUID && db ? UIDRef(db, story_) : UIDRef();
}

TextIndex COwnedItem::GetTextIndex() const {
  InterfacePtr<ITextModel> story(GetStoryRef());
  if (!story) return kInvalidTextIndex;
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(story->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  return strand ? strand->FindOwnedItem(Boss()->GetUID()) : kInvalidTextIndex;
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
