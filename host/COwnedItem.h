#pragma once
// Base of owned items: keeps the anchor's story (persistent, through
// ReadWrite; the index is the story's owned-item strand's to know) and gives
// the host's defaults: the host's owned-item deletion command, no memento,
// no layout occasions. Implementations that persist more fields call
// COwnedItem::ReadWrite first.
#include "CPMUnknown.h"
#include "IOwnedItem.h"
#include "IPMStream.h"

class COwnedItem : public CPMUnknown<IOwnedItem> {
public:
  explicit COwnedItem(IPMUnknown* boss) : CPMUnknown<IOwnedItem>(boss) {}

  UIDRef GetStoryRef() const override;
  TextIndex GetTextIndex() const override;
  void SetAnchorStory(UID story) override;
  ICommand* QueryDeleteCommand() override;
  IOwnedItemMemento* CreateMemento() override { return nullptr; }
  bool16 IsCopyable() override { return false; }
  bool16 HearsLayout() override { return false; }
  void Moved() override {}
  void Overset() override {}
  void ComposedIntoLine(IPMUnknown*) override {}

  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID story_ = kInvalidUID;
};
