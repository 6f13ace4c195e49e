#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Registers the native cross-reference formats: the Basic format class, the
// document's list of them and the utility that makes and deletes them.
void InstallHyperlinkClasses(ImplRegistry& impls, ClassRegistry& classes);
