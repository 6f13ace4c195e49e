#pragma once
#include "headless/objects/ImplRegistry.h"

// Installs the standard data implementations (integer, boolean, strings,
// UIDRef, text range, class identifier, file) in the registry.
void InstallStandardData(ImplRegistry& r);
