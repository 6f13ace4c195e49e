#include "host/CmdUtils.h"
#include "headless/commands/CommandFaults.h"
#include "headless/database/Transactions.h"
#include "headless/objects/Host.h"

ICommand* CmdUtils::CreateCommand(ClassID cls) {
  return static_cast<ICommand*>(CreateObject(cls, IID_ICOMMAND));
}

ErrorCode CmdUtils::ProcessCommand(ICommand* cmd) {
  if (!cmd) {
    ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
    return kInvalidParameterError;
  }
  const ErrorCode injected = CommandFaults::Take(cmd);
  if (injected != kSuccess) {
    ErrorUtils::PMSetGlobalErrorCode(injected);
    return injected;
  }
  Transactions& tx = Transactions::Process();
  // An outermost command starts clean; a nested one sees what its caller left.
  if (!tx.Active()) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  tx.Begin(PMString(), cmd->GetUndoability());
  ErrorCode err = cmd->DoImmediate();
  // The outermost command's own name wins over the sequences it ran.
  if (tx.Depth() == 1 && !cmd->GetName()->IsEmpty()) tx.SetName(*cmd->GetName());
  tx.End();
  return err;
}

bool16 CmdUtils::ScheduleCommand(ICommand* cmd, int32 priority) {
  if (!cmd) return false;
  Host::Get().Schedule(cmd, priority);
  return true;
}

CmdUtils::SequenceContext::SequenceContext(const PMString& name) {
  Transactions& tx = Transactions::Process();
  tx.Begin(name, ICommand::kRegularUndo);
  if (tx.Depth() == 1) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  // A sequence that a command runs names the step its command leaves unnamed.
  else if (!name.IsEmpty()) tx.SetNameIfEmpty(name);
}

CmdUtils::SequenceContext::~SequenceContext() { Transactions::Process().End(); }

void CmdUtils::SequenceContext::SetName(const PMString& name) {
  if (Transactions::Process().Depth() == 1) Transactions::Process().SetName(name);
}

void ErrorUtils::PMSetGlobalErrorCode(ErrorCode code, const PMString* message) {
  Host::Get().SetGlobalError(code, message);
}

ErrorCode ErrorUtils::PMGetGlobalErrorCode() { return Host::Get().GlobalError(); }
