#pragma once
// The host's object commands: make an object of a class in a database,
// anchor an owned item at a character, and delete objects (owned items are
// detached from their anchors first; an object's owned objects go with it).
#include "host/Command.h"

class NewObjectCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
};

class AttachOwnedItemCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
};

class DeleteObjectCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
};
