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

// Conversion of documents of older data versions.
constexpr ClassID kXRefConversionProviderBoss{0xF2C3B};
constexpr ClassID kXRefPhase2ConversionBoss{0xF2C3F};
constexpr ImplementationID kXRefConversionProviderServiceImpl{0xF2C22};
constexpr ImplementationID kXRefConversionProviderImpl{0xF2C23};
constexpr ImplementationID kXRefPhase2ConversionImpl{0xF2C24};
constexpr ImplementationID kXRefPhase2ConversionServiceImpl{0xF2C26};
// The check of loaded documents, with its announcement.
constexpr ClassID kXRefDocumentCheckBoss{0xF2C4E};
constexpr ImplementationID kXRefDocumentCheckServiceImpl{0xF2C8E};
constexpr ImplementationID kXRefDocumentCheckImpl{0xF2C8F};
// The document's update scheduler and idle task (on the document object).
constexpr PMIID IID_IXREFIDLETASK{0xF2C0A};
constexpr ImplementationID kXRefIdleTaskImpl{0xF2C1F};
constexpr ImplementationID kXRefSchedulerImpl{0xF2C20};
