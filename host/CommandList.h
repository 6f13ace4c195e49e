#pragma once
// Commands gathered to be processed later, in order. The list holds a
// reference to each command it is given.
#include "ICommand.h"
#include <vector>

class CommandList {
public:
  CommandList() = default;
  CommandList(const CommandList&) = delete;
  CommandList& operator=(const CommandList&) = delete;
  ~CommandList() {
    for (ICommand* cmd : cmds_) cmd->Release();
  }
  void Append(ICommand* cmd) {
    if (!cmd) return;
    cmd->AddRef();
    cmds_.push_back(cmd);
  }
  int32 Length() const { return static_cast<int32>(cmds_.size()); }
  ICommand* At(int32 n) const { return n >= 0 && n < Length() ? cmds_[static_cast<size_t>(n)] : nullptr; }

private:
  std::vector<ICommand*> cmds_;
};
