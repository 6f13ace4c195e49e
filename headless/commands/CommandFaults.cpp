#include "headless/commands/CommandFaults.h"
#include "host/IControllingUnknown.h"
#include <algorithm>
#include <vector>

namespace {
// Invariant: each class appears once, with a count above 0.
struct Armed {
  ClassID cls;
  int32 count;
  ErrorCode error;
};

std::vector<Armed>& ArmedClasses() {
  static std::vector<Armed> armed;
  return armed;
}

std::vector<Armed>::iterator Find(ClassID cls) {
  auto& armed = ArmedClasses();
  return std::find_if(armed.begin(), armed.end(), [cls](const Armed& a) { return a.cls == cls; });
}
}  // namespace

void CommandFaults::FailNext(ClassID cls, int32 count, ErrorCode error) {
  auto it = Find(cls);
  if (it != ArmedClasses().end()) ArmedClasses().erase(it);
  if (count > 0) ArmedClasses().push_back({cls, count, error});
}

int32 CommandFaults::Remaining(ClassID cls) {
  auto it = Find(cls);
  return it == ArmedClasses().end() ? 0 : it->count;
}

void CommandFaults::ClearAll() { ArmedClasses().clear(); }

ErrorCode CommandFaults::Take(const IPMUnknown* cmd) {
  if (ArmedClasses().empty()) return kSuccess;
  auto it = Find(GetClass(cmd));
  if (it == ArmedClasses().end()) return kSuccess;
  const ErrorCode error = it->error;
  if (--it->count == 0) ArmedClasses().erase(it);
  return error;
}
