#pragma once
// Identifiers of the document model: source markers, their list and memento,
// and the text and source-marker utilities.
#include "host/IDTypes.h"

// Interfaces.
constexpr PMIID IID_IXREFSOURCEMARKER{0xF2C04};
constexpr PMIID IID_IXREFTEXTUTILS{0xF2C2B};
constexpr PMIID IID_IXREFSOURCEMARKERUTILS{0xF2C2C};
constexpr PMIID IID_IXREFSOURCEMARKERLIST{0xF2C33};
constexpr PMIID IID_IXREFCROSSREFLIST{0xF2C34};

// Classes.
constexpr ClassID kXRefSourceMarkerBoss{0xF2C05};
constexpr ClassID kXRefSourceMarkerMementoBoss{0xF2C06};
// The marker adornment drawn on lines that hold a marker's anchor.
constexpr ClassID kXRefMarkerAdornmentBoss{0xF2C0B};
// Where a marker's adornment goes among the line's adornments.
constexpr double kXRefMarkerAdornmentPriority = 16384.52;

// Implementations (stored in documents for the persistent ones).
constexpr ImplementationID kXRefSourceMarkerImpl{0xF2C11};
constexpr ImplementationID kXRefSourceMarkerOwnedItemImpl{0xF2C12};
constexpr ImplementationID kXRefSourceMarkerMementoImpl{0xF2C13};
constexpr ImplementationID kXRefSourceMarkerListImpl{0xF2C1A};
constexpr ImplementationID kXRefSourceMarkerUtilsImpl{0xF2C97};
constexpr ImplementationID kXRefTextUtilsImpl{0xF2C98};
