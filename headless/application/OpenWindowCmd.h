#pragma once
// Gives an open document a window and brings it to the front. Item list: any
// object of the document's database. Fails with kObjectNotFoundError when the
// database is no open document.
#include "host/Command.h"

class OpenWindowCmd : public Command {
public:
  explicit OpenWindowCmd(IPMUnknown* boss) : Command(boss) { target_ = kSessionTarget; }

protected:
  void Do() override;
};
