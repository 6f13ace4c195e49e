#pragma once
// Identifiers of the selection suite, the selection observer and the menu
// actions.
#include "commands/XRefMigrationID.h"
#include "host/IDTypes.h"

constexpr PMIID IID_IXREFSELECTIONSUITE{0xF2C01};
constexpr PMIID IID_IXREFSELECTIONOBSERVER{0xF2C02};

constexpr ImplementationID kXRefASBImpl{0xF2C01};
constexpr ImplementationID kXRefTextCSBImpl{0xF2C02};
constexpr ImplementationID kXRefTextCSBExtImpl{0xF2C03};
constexpr ImplementationID kXRefSelectionObserverImpl{0xF2C04};
constexpr ImplementationID kXRefActionComponentImpl{0xF2C25};

// The class carrying the action component.
constexpr ClassID kXRefActionComponentBoss{0xF2CF0};

// Menu actions.
constexpr ActionID kXRefUpdateAllActionID{0xF2C01};
constexpr ActionID kXRefLiveUpdatesActionID{0xF2C02};
constexpr ActionID kXRefConvertAllActionID{0xF2C04};
constexpr ActionID kXRefDeleteAllSourceMarkersActionID{0xF2C05};
constexpr ActionID kXRefMigrateBasicToProActionID{0xF2C07};
constexpr ActionID kXRefMigrateProToBasicActionID{0xF2C08};

