#pragma once
#include "headless/ClassRegistry.h"
#include "headless/ImplRegistry.h"
#include "headless/StringTable.h"

// Registers the host's own implementations, classes and English strings.
void InstallHostClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings);
