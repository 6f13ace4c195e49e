#pragma once
// What carries an owned item from copied text to the paste. The host asks an
// owned item for one when text holding its anchor is copied, and drives it
// through these operations, in this slot order.
#include "CommandList.h"
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "UIDRef.h"

class ITextModel;

class IOwnedItemMemento : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IOWNEDITEMMEMENTO;

  // 1. The item this memento stands for, in the database it was copied from.
  virtual UID GetOwnedItemUID() const = 0;
  // 2. The text was cut: append to `cmds` what removes the item from the
  //    range [start, start + length) of `story`. 0 when something was appended.
  virtual ErrorCode AppendCutCommands(ITextModel* story, TextIndex start, int32 length, CommandList* cmds) = 0;
  // 3. The text is being moved rather than copied: the paste keeps the item.
  virtual ErrorCode PrepareMove() = 0;
  // 4. The text is being copied: the paste makes a new item.
  virtual ErrorCode PrepareCopy() = 0;
  // 5. The moved text left its range: as 2, for a move.
  virtual ErrorCode AppendMoveCommands(ITextModel* story, TextIndex start, int32 length, CommandList* cmds) = 0;
  // 6. Paste: `source` is the item where it was copied from, `target` the
  //    object the text is pasted into (the destination story). A new item is
  //    reported in `pasted`, which the host then anchors at the pasted
  //    character. 0 on success; on failure the host drops the item.
  virtual ErrorCode Paste(const UIDRef& source, const UIDRef& target, UIDRef* pasted) = 0;
  // 7. Every item of the pasted text has been pasted and anchored.
  virtual ErrorCode PasteFinished() = 0;
  // 8. Whether the item may be pasted into another document than its own.
  virtual bool16 CanPasteIntoOtherDocument() const = 0;
};
