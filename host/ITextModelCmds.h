#pragma once
// A story's text-editing commands. Each answers a new command on the story,
// which the caller processes (CmdUtils::ProcessCommand) and releases; null
// when it cannot be made. A range on an empty length at an index applies to
// the insertion point there: text inserted at that index next carries it.
// A command set to ICommand::kAutoUndo joins the previous undo step.
#include "AttributeBossList.h"
#include "ICommand.h"
#include "TextIDs.h"
#include "WideString.h"

class ITextModelCmds : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTMODELCMDS;

  virtual ICommand* InsertCmd(TextIndex at, const WideString& text) = 0;
  // Deleting characters that anchor owned items first runs each item's
  // deletion command.
  virtual ICommand* DeleteCmd(TextIndex start, int32 length) = 0;
  virtual ICommand* ApplyCharStyleCmd(TextIndex start, int32 length, UID style) = 0;
  virtual ICommand* ApplyCmd(TextIndex start, int32 length, const AttributeBossList& attrs) = 0;
  // Paragraph attributes go to every paragraph the range touches.
  virtual ICommand* ApplyParaStyleCmd(TextIndex start, int32 length, UID style) = 0;
  // kind -1 returns the paragraphs to their style's numbering.
  virtual ICommand* SetNumberingCmd(TextIndex start, int32 length, int32 kind) = 0;
  // Pastes the text clipboard at an index, owned items through their mementos.
  virtual ICommand* PasteCmd(TextIndex at) = 0;
  // Moves [start, start + length) of this story to `at` of `destination`, a
  // story of the same document (this one too); `at` counts in the text
  // before the move. Owned items in the range keep their identity through
  // their mementos' move operations. One undo step; refuses a destination
  // inside the range (kMoveIntoItselfError), a locked story of either end.
  virtual ICommand* MoveCmd(TextIndex start, int32 length, UID destination, TextIndex at) = 0;
};
