#pragma once
// The text-editing commands. Each takes one story as its item and its range
// from IRangeData; each refuses a locked story (kStoryLockedError) and a
// range outside the story (kTextRangeError), changing nothing.
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/UIDRef.h"

class TextCommand : public Command {
public:
  using Command::Command;

protected:
  // The story, unlocked, and the range; sets the error and answers false
  // when either is missing.
  bool Target(UIDRef* story, TextIndex* start, int32* length);
  // Sets the global error unless e is kSuccess.
  static void Report(ErrorCode e);
  // The common shape of the editing commands: the target range and one
  // parameter interface, handed to `edit`, whose result is reported.
  template <class Param, class Edit>
  void EditRange(PMIID paramIID, Edit edit) {
    UIDRef story;
    TextIndex start;
    int32 length;
    InterfacePtr<Param> param(this, paramIID);
    if (!Target(&story, &start, &length)) return;
    if (!param) return Report(kInvalidParameterError);
    Report(edit(story, start, length, param.get()));
  }
};

#define XREF_TEXT_COMMAND(Name, Title)                                          \
  class Name : public TextCommand {                                           \
  public:                                                                     \
    using TextCommand::TextCommand;                                           \
                                                                              \
  protected:                                                                  \
    void Do() override;                                                       \
    PMString* CreateName() override { return new PMString(Title, PMString::kNoTranslate); } \
  };

XREF_TEXT_COMMAND(InsertTextCmd, "Insert Text")
XREF_TEXT_COMMAND(DeleteTextCmd, "Delete Text")
XREF_TEXT_COMMAND(ApplyCharStyleCmd, "Apply Character Style")
XREF_TEXT_COMMAND(ApplyTextAttrCmd, "Apply Attributes")
XREF_TEXT_COMMAND(ApplyParaStyleCmd, "Apply Paragraph Style")
XREF_TEXT_COMMAND(SetNumberingCmd, "Set Numbering")
XREF_TEXT_COMMAND(PasteTextCmd, "Paste")
XREF_TEXT_COMMAND(MoveTextCmd, "Move Text")
#undef XREF_TEXT_COMMAND

// Makes a story in the database of its item list; answers it as its item.
class NewStoryCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
  PMString* CreateName() override { return new PMString("New Story", PMString::kNoTranslate); }
};
