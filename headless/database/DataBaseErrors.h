#pragma once
// Words the database's errors (host/DataBaseErrors.h) through an error-string
// service.
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"
#include "headless/objects/StringTable.h"

void InstallDataBaseErrorClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings);
