#pragma once
// Identifiers of the two document migration commands.
#include "host/IDTypes.h"

constexpr ClassID kXRefMigrateBasicToProCmdBoss{0xF2C3C};
constexpr ClassID kXRefMigrateProToBasicCmdBoss{0xF2C3D};

constexpr ImplementationID kXRefMigrateBasicToProCmdImpl{0xF2C50};
constexpr ImplementationID kXRefMigrateProToBasicCmdImpl{0xF2C51};
