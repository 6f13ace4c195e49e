#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Installs the conversion manager for files being read, the plug-ins' checks
// of loaded documents (IDocumentCheck), and the phase-2 signal object (class
// kConversionSignalBoss).
void InstallConversionClasses(ImplRegistry& impls, ClassRegistry& classes);
