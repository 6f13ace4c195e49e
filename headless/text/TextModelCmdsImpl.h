#pragma once
// Makes the text commands of the story it belongs to, filled in.
#include "host/CPMUnknown.h"
#include "host/ITextModelCmds.h"

class TextModelCmdsImpl : public CPMUnknown<ITextModelCmds> {
public:
  using CPMUnknown::CPMUnknown;
  ICommand* InsertCmd(TextIndex at, const WideString& text) override;
  ICommand* DeleteCmd(TextIndex start, int32 length) override;
  ICommand* ApplyCharStyleCmd(TextIndex start, int32 length, UID style) override;
  ICommand* ApplyCmd(TextIndex start, int32 length, const AttributeBossList& attrs) override;
  ICommand* ApplyParaStyleCmd(TextIndex start, int32 length, UID style) override;
  ICommand* SetNumberingCmd(TextIndex start, int32 length, int32 kind) override;
  ICommand* PasteCmd(TextIndex at) override;
  ICommand* MoveCmd(TextIndex start, int32 length, UID destination, TextIndex at) override;

private:
  // A command of the class on this story with the range set; null if unknown.
  ICommand* Make(ClassID cls, TextIndex start, int32 length) const;
};
