#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Registers the SAX parser service: its implementations and its class.
void InstallParserClasses(ImplRegistry& impls, ClassRegistry& classes);
