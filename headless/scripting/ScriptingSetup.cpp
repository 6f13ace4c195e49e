#include "headless/scripting/ScriptingSetup.h"
#include "host/CServiceProvider.h"
#include "host/ScriptIDs.h"

namespace {
class ScriptProviderServiceImpl : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return kScriptProviderService; }
};
}  // namespace

void InstallScriptingClasses(ImplRegistry& impls, ClassRegistry&) {
  impls.InstallHost<ScriptProviderServiceImpl>(kScriptProviderServiceImpl);
}
