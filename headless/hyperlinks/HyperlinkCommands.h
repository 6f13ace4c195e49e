#pragma once
// The commands that delete hyperlinks, text sources and destinations. Each
// takes its objects as the item list, takes them out of the document's
// lists and deletes them; what links to a deleted object goes first.
#include "host/Command.h"

class DeleteHyperlinkCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
};

class DeleteHyperlinkTextSourceCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
};

class DeleteHyperlinkDestinationCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
};
