#pragma once
#include "headless/ClassRegistry.h"
#include "headless/ImplRegistry.h"

// Gives documents and the session their subject, to which observers attach
// for model changes.
void InstallBroadcastClasses(ImplRegistry& impls, ClassRegistry& classes);
