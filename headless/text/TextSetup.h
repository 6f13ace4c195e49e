#pragma once
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"
#include "headless/objects/StringTable.h"

// Registers the text model: stories and strands, text and object commands,
// the workspace's styles, fonts, swatches and languages, and their strings.
void InstallTextClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings);
