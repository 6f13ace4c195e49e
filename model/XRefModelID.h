#pragma once
// Identifiers of the document model: formats, source markers,
// cross-references, their lists, text markers and mementos, and the text and
// source-marker utilities.
#include "host/IDTypes.h"

// Interfaces.
constexpr PMIID IID_IXREFCROSSREFTEXTMARKER{0xF2C03};
constexpr PMIID IID_IXREFSOURCEMARKER{0xF2C04};
constexpr PMIID IID_IXREFCROSSREF{0xF2C05};
constexpr PMIID IID_IXREFFORMATDATA{0xF2C07};
constexpr PMIID IID_IXREFFORMATS{0xF2C08};
// The story's slot for a pasted text marker waiting for its partner.
constexpr PMIID IID_IXREFPENDINGMARKER{0xF2C1C};
// A cross-reference's being-updated flag (an IBoolData).
constexpr PMIID IID_IXREFBEINGUPDATED{0xF2C1D};
// A workspace's live-update preference (an IBoolData).
constexpr PMIID IID_IXREFLIVEUPDATES{0xF2C5C};
// A workspace's set-up-done preference (an IBoolData): the default formats
// have been given to it.
constexpr PMIID IID_IXREFSETUPDONE{0xF2C5D};
constexpr PMIID IID_IXREFTEXTUTILS{0xF2C2B};
constexpr PMIID IID_IXREFSOURCEMARKERUTILS{0xF2C2C};
constexpr PMIID IID_IXREFSOURCEMARKERLIST{0xF2C33};
constexpr PMIID IID_IXREFCROSSREFLIST{0xF2C34};

// Classes.
constexpr ClassID kXRefCrossRefBoss{0xF2C00};
// The character attribute that names the cross-reference a text belongs to.
constexpr ClassID kXRefCrossRefAttrBoss{0xF2C01};
constexpr ClassID kXRefSourceMarkerBoss{0xF2C05};
constexpr ClassID kXRefSourceMarkerMementoBoss{0xF2C06};
constexpr ClassID kXRefCrossRefStartMarkerBoss{0xF2C07};
constexpr ClassID kXRefCrossRefEndMarkerBoss{0xF2C09};
constexpr ClassID kXRefCrossRefTextMarkerMementoBoss{0xF2C0A};
// The marker adornment drawn on lines that hold a marker's anchor.
constexpr ClassID kXRefMarkerAdornmentBoss{0xF2C0B};
// Where a marker's adornment goes among the line's adornments.
constexpr double kXRefMarkerAdornmentPriority = 16384.52;

// Implementations (stored in documents for the persistent ones).
constexpr ImplementationID kXRefCrossRefImpl{0xF2C0B};
constexpr ImplementationID kXRefCrossRefTextMarkerImpl{0xF2C0C};
constexpr ImplementationID kXRefCrossRefEndMarkerOwnedItemImpl{0xF2C0D};
constexpr ImplementationID kXRefCrossRefStartMarkerOwnedItemImpl{0xF2C0F};
constexpr ImplementationID kXRefCrossRefTextMarkerMementoImpl{0xF2C10};
constexpr ImplementationID kXRefSourceMarkerImpl{0xF2C11};
constexpr ImplementationID kXRefSourceMarkerOwnedItemImpl{0xF2C12};
constexpr ImplementationID kXRefSourceMarkerMementoImpl{0xF2C13};
constexpr ImplementationID kXRefCrossRefAttrReportImpl{0xF2C14};
constexpr ImplementationID kXRefFormatsImpl{0xF2C18};
constexpr ImplementationID kXRefFormatDataImpl{0xF2C19};
constexpr ImplementationID kXRefSourceMarkerListImpl{0xF2C1A};
constexpr ImplementationID kXRefCrossRefListImpl{0xF2C1B};
constexpr ImplementationID kXRefPendingMarkerImpl{0xF2C65};
constexpr ImplementationID kXRefBeingUpdatedFlagImpl{0xF2C66};
constexpr ImplementationID kXRefSetUpDonePreferenceImpl{0xF2C6D};
constexpr ImplementationID kXRefSourceMarkerUtilsImpl{0xF2C97};
constexpr ImplementationID kXRefTextUtilsImpl{0xF2C98};
