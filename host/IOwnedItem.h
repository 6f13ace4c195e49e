#pragma once
// An object anchored at one character of a story (a marker, say). Derive
// from COwnedItem, which keeps the anchor.
#include "ICommand.h"
#include "IOwnedItemMemento.h"
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "UIDRef.h"

class IOwnedItem : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IOWNEDITEM;

  // The anchor: the story (null when not anchored) and the anchor
  // character's index in it (-1 when not anchored).
  virtual UIDRef GetStoryRef() const = 0;
  virtual TextIndex GetTextIndex() const = 0;
  // The host records the story it anchors the item in (kInvalidUID: none).
  virtual void SetAnchorStory(UID story) = 0;

  // Host occasions.
  // The anchor character is being deleted: a command that deletes the item,
  // which the host processes (and releases); null to leave the item be.
  virtual ICommand* QueryDeleteCommand() = 0;
  // Text holding the anchor is copied: a memento (with a reference the
  // caller releases), or null. Asked only when IsCopyable answers yes.
  virtual IOwnedItemMemento* CreateMemento() = 0;
  virtual bool16 IsCopyable() = 0;
  // Whether the item hears the three occasions below.
  virtual bool16 HearsLayout() = 0;
  // The anchor moved. This host does not send it for text edited before the
  // anchor (that would cost every edit as much as the items after it): an
  // anchor whose line an edit changed hears ComposedIntoLine when composed.
  virtual void Moved() = 0;
  // The anchor went into overset text (reported by the layout).
  virtual void Overset() = 0;
  // The anchor was composed into a line (the layout's line object).
  virtual void ComposedIntoLine(IPMUnknown* line) = 0;
};
