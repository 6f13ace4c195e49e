#pragma once
#include "headless/ClassRegistry.h"
#include "headless/ImplRegistry.h"

// Registers the SAX parser service: its implementations and its class.
void InstallParserClasses(ImplRegistry& impls, ClassRegistry& classes);
