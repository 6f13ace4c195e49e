#include "headless/commands/BroadcastSetup.h"
#include "headless/commands/Subject.h"
#include "host/HostIDs.h"

namespace {
constexpr ImplementationID kSubjectImpl{0x3E0};
}  // namespace

void InstallBroadcastClasses(ImplRegistry& impls, ClassRegistry& classes) {
  impls.InstallHost<SubjectImpl>(kSubjectImpl);
  classes.AddIn(kDocBoss, {{IID_ISUBJECT, kSubjectImpl}});
  classes.AddIn(kSessionBoss, {{IID_ISUBJECT, kSubjectImpl}});
}
