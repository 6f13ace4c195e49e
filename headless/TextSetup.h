#pragma once
#include "headless/ClassRegistry.h"
#include "headless/ImplRegistry.h"
#include "headless/StringTable.h"

// Registers the text model: stories and strands, text and object commands,
// the workspace's styles, fonts, swatches and languages, and their strings.
void InstallTextClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings);
