#include "host/Command.h"
#include "host/CmdUtils.h"

const PMString* Command::GetName() {
  if (!nameCreated_ && name_.IsEmpty()) {
    if (PMString* created = CreateName()) {
      name_ = *created;
      delete created;
    }
  }
  nameCreated_ = true;
  return &name_;
}

ErrorCode Command::DoImmediate() {
  SetUpTarget();
  ErrorCode err = PreVerify();
  if (err != kSuccess) {
    ErrorUtils::PMSetGlobalErrorCode(err);
    return err;
  }
  DoDynamic();
  err = ErrorUtils::PMGetGlobalErrorCode();
  if (err == kSuccess) {
    SetCommandState(kDone);
    DoNotify();
  }
  PostVerify();
  return ErrorUtils::PMGetGlobalErrorCode();
}
