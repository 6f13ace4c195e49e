#pragma once
// Installs the native cross-reference classes of the hyperlinks facility.
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

void InstallNativeCrossRefClasses(ImplRegistry& impls, ClassRegistry& classes);
