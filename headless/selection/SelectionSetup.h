#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// The selection manager on the session, the abstract and text selection
// classes, and the selection utility.
void InstallSelectionClasses(ImplRegistry& impls, ClassRegistry& classes);
