#include "host/UtilsBoss.h"
#include "headless/objects/Host.h"
#include "host/HostIDs.h"

namespace {
// The one utilities object, and the registration count it was made under.
IPMUnknown* gUtils = nullptr;
int32 gMadeAt = -1;
}  // namespace

IPMUnknown* UtilsBoss::QueryUtils(PMIID iid) {
  int32 installs = Host::Get().Impls().InstallCount();
  if (!gUtils || gMadeAt != installs) {
    // Plug-ins registered since: a new object carries their add-ins. Utility
    // caches (the assembled DTD) thereby follow the registered classes.
    if (gUtils) gUtils->Release();
    gUtils = Host::Get().CreateObject(kUtilsBoss, IPMUnknown::kControllingIID);
    gMadeAt = installs;
  }
  return gUtils ? gUtils->QueryInterface(iid) : nullptr;
}
