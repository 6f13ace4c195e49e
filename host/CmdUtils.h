#pragma once
#include "ICommand.h"
#include <string>

namespace CmdUtils {
// A new command object of the class; the caller releases it. Null when the
// class is unknown or has no command interface.
ICommand* CreateCommand(ClassID cls);
// Runs the command now; answers the global error code it left (0 success).
ErrorCode ProcessCommand(ICommand* cmd);
// Queues the command for the idle loop; higher priorities run first.
bool16 ScheduleCommand(ICommand* cmd, int32 priority);

// While it lives, every command processed forms one undo step with its name.
class SequenceContext {
public:
  explicit SequenceContext(const PMString& name = PMString());
  ~SequenceContext();
  SequenceContext(const SequenceContext&) = delete;
  SequenceContext& operator=(const SequenceContext&) = delete;
  void SetName(const PMString& name);
};
}  // namespace CmdUtils

namespace ErrorUtils {
void PMSetGlobalErrorCode(ErrorCode code, const PMString* message = nullptr);
ErrorCode PMGetGlobalErrorCode();
}  // namespace ErrorUtils
