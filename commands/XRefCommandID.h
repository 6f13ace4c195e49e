#pragma once
// Identifiers of the plug-in's commands: the classes under which they are
// created, and their implementations.
#include "host/IDTypes.h"

// Source-marker commands.
constexpr ClassID kXRefSetupSourceMarkerCmdBoss{0xF2C18};
constexpr ClassID kXRefAddSourceMarkerCmdBoss{0xF2C1B};
constexpr ClassID kXRefRemoveSourceMarkerCmdBoss{0xF2C1C};
constexpr ClassID kXRefCopySourceMarkerCmdBoss{0xF2C1E};
constexpr ClassID kXRefInsertSourceMarkerCmdBoss{0xF2C20};
constexpr ClassID kXRefDeleteSourceMarkerCmdBoss{0xF2C22};
constexpr ClassID kXRefModifySourceMarkerCmdBoss{0xF2C24};

constexpr ImplementationID kXRefSetupSourceMarkerCmdImpl{0xF2C2E};
constexpr ImplementationID kXRefAddSourceMarkerCmdImpl{0xF2C31};
constexpr ImplementationID kXRefRemoveSourceMarkerCmdImpl{0xF2C32};
constexpr ImplementationID kXRefCopySourceMarkerCmdImpl{0xF2C34};
constexpr ImplementationID kXRefInsertSourceMarkerCmdImpl{0xF2C36};
constexpr ImplementationID kXRefDeleteSourceMarkerCmdImpl{0xF2C38};
constexpr ImplementationID kXRefModifySourceMarkerCmdImpl{0xF2C3A};
