#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Registers the layout's implementations and classes, and adds the layout's
// interfaces to documents, stories, styles and the utilities object.
void InstallLayoutClasses(ImplRegistry& impls, ClassRegistry& classes);
