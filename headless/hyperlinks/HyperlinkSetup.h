#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"

// Registers hyperlinks: destinations with their anchors, text sources,
// hyperlinks, the document's list, the utility and the delete commands.
void InstallHyperlinkClasses(ImplRegistry& impls, ClassRegistry& classes);
