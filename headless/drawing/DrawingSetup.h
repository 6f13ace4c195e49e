#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Registers the drawing: the pieces of composed text adornments draw on and
// the workspaces' display options.
void InstallDrawingClasses(ImplRegistry& impls, ClassRegistry& classes);
