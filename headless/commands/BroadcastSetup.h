#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Gives documents and the session their subject, to which observers attach
// for model changes.
void InstallBroadcastClasses(ImplRegistry& impls, ClassRegistry& classes);
