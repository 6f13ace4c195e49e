#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Installs the service-provider implementation that script providers
// aggregate (kScriptProviderServiceImpl) to announce kScriptProviderService.
void InstallScriptingClasses(ImplRegistry& impls, ClassRegistry& classes);
