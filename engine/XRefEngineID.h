#pragma once
// Identifiers of the update engine.
#include "host/IDTypes.h"

constexpr PMIID IID_IXREFSCHEDULER{0xF2C0B};

constexpr ClassID kXRefStartupShutdownBoss{0xF2C39};
constexpr ClassID kXRefResponderBoss{0xF2C3A};

constexpr ImplementationID kXRefCommonServiceProviderImpl{0xF2C1C};
constexpr ImplementationID kXRefResponderImpl{0xF2C1D};
constexpr ImplementationID kXRefStartupShutdownServiceImpl{0xF2C1E};
constexpr ImplementationID kXRefStartupShutdownServiceProviderImpl{0xF2C21};

// The document's conversion log and a Basic format's migration data.
constexpr PMIID IID_IXREFCONVERSIONLOG{0xF2C6E};
constexpr PMIID IID_IXREFFORMATMIGRATIONDATA{0xF2C6F};
constexpr ImplementationID kXRefConversionLogImpl{0xF2C6E};
constexpr ImplementationID kXRefFormatMigrationDataImpl{0xF2C6F};

// The document's update scheduler and idle task (on the document object).
constexpr PMIID IID_IXREFIDLETASK{0xF2C0A};
constexpr ImplementationID kXRefIdleTaskImpl{0xF2C1F};
constexpr ImplementationID kXRefSchedulerImpl{0xF2C20};
