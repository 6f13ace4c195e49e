#pragma once
// Identifiers of the plug-in's commands: the classes under which they are
// created, and their implementations.
#include "format/XRefFormatID.h"  // kXRefFormatNotFoundError
#include "host/IDTypes.h"

// Errors the commands raise when they refuse a request, changing nothing.
// A position strictly inside the text of a cross-reference: the next update
// of that cross-reference would replace whatever went there.
constexpr ErrorCode kXRefInsideCrossRefError{0xF2CB0};
// A cross-reference in a locked story cannot become plain text.
constexpr ErrorCode kXRefStoryLockedError{0xF2CB1};
// The host links only within one document.
constexpr ErrorCode kXRefHyperlinkToOtherDocumentError{0xF2CB2};
// Without both markers in place the extent of a cross-reference's text is
// not known, so it cannot become plain text.
constexpr ErrorCode kXRefMarkersNotInPlaceError{0xF2CB3};

// Source-marker commands.
constexpr ClassID kXRefSetupSourceMarkerCmdBoss{0xF2C18};
constexpr ClassID kXRefAddSourceMarkerCmdBoss{0xF2C1B};
constexpr ClassID kXRefRemoveSourceMarkerCmdBoss{0xF2C1C};
constexpr ClassID kXRefCopySourceMarkerCmdBoss{0xF2C1E};
constexpr ClassID kXRefInsertSourceMarkerCmdBoss{0xF2C20};
constexpr ClassID kXRefDeleteSourceMarkerCmdBoss{0xF2C22};
constexpr ClassID kXRefModifySourceMarkerCmdBoss{0xF2C24};

// Cross-reference commands.
constexpr ClassID kXRefRemoveCrossRefCmdBoss{0xF2C14};
constexpr ClassID kXRefCreateCrossRefHyperlinkCmdBoss{0xF2C15};
constexpr ClassID kXRefSetOwnedItemCmdBoss{0xF2C16};
constexpr ClassID kXRefAddCrossRefCmdBoss{0xF2C17};
constexpr ClassID kXRefSetupCrossRefCmdBoss{0xF2C19};
constexpr ClassID kXRefSetupCrossRefTextMarkerCmdBoss{0xF2C1A};
constexpr ClassID kXRefCopyCrossRefCmdBoss{0xF2C1D};
constexpr ClassID kXRefInsertCrossRefCmdBoss{0xF2C1F};
constexpr ClassID kXRefDeleteCrossRefCmdBoss{0xF2C21};
constexpr ClassID kXRefUpdateCrossRefCmdBoss{0xF2C25};
constexpr ClassID kXRefInsertCrossRefTextMarkerCmdBoss{0xF2C26};
constexpr ClassID kXRefSetCrossRefTextMarkersCmdBoss{0xF2C28};
constexpr ClassID kXRefCopyCrossRefTextMarkerCmdBoss{0xF2C29};
constexpr ClassID kXRefSetCrossRefUpdateTimeCmdBoss{0xF2C2C};
constexpr ClassID kXRefEnableLiveUpdatesCmdBoss{0xF2C38};
constexpr ClassID kXRefModifyCrossRefCmdBoss{0xF2C40};
constexpr ClassID kXRefSetCrossRefFormatCmdBoss{0xF2C41};
constexpr ClassID kXRefSetCrossRefSourceMarkerCmdBoss{0xF2C42};
constexpr ClassID kXRefRelinkCrossRefCmdBoss{0xF2C43};
constexpr ClassID kXRefConvertCrossRefToTextCmdBoss{0xF2C44};

// Format and start-up commands.
constexpr ClassID kXRefAddFormatCmdBoss{0xF2C32};
constexpr ClassID kXRefModifyFormatCmdBoss{0xF2C33};
constexpr ClassID kXRefDeleteFormatCmdBoss{0xF2C34};
constexpr ClassID kXRefStartupCmdBoss{0xF2C37};
constexpr ClassID kXRefConvertFormatCmdBoss{0xF2C3E};
// The start-up command and the format additions it schedules run at this
// priority.
constexpr int32 kXRefStartupPriority = 1;

// Data interfaces of the plug-in's own on commands (one UIDRef each).
constexpr PMIID IID_IXREFSTARTMARKERDATA{0xF2C18};
constexpr PMIID IID_IXREFENDMARKERDATA{0xF2C19};
constexpr PMIID IID_IXREFCROSSREFDATA{0xF2C1A};
constexpr PMIID IID_IXREFPARTNERMARKERDATA{0xF2C1B};
constexpr PMIID IID_IXREFCONVERTFORMATCMDDATA{0xF2C3E};

constexpr ImplementationID kXRefSetCrossRefTextMarkersCmdImpl{0xF2C28};
constexpr ImplementationID kXRefCopyCrossRefTextMarkerCmdImpl{0xF2C29};
constexpr ImplementationID kXRefRemoveCrossRefCmdImpl{0xF2C2A};
constexpr ImplementationID kXRefSetOwnedItemCmdImpl{0xF2C2C};
constexpr ImplementationID kXRefAddCrossRefCmdImpl{0xF2C2D};
constexpr ImplementationID kXRefSetupCrossRefCmdImpl{0xF2C2F};
constexpr ImplementationID kXRefSetupCrossRefTextMarkerCmdImpl{0xF2C30};
constexpr ImplementationID kXRefCopyCrossRefCmdImpl{0xF2C33};
constexpr ImplementationID kXRefInsertCrossRefCmdImpl{0xF2C35};
constexpr ImplementationID kXRefDeleteCrossRefCmdImpl{0xF2C37};
constexpr ImplementationID kXRefUpdateCrossRefCmdImpl{0xF2C3B};
constexpr ImplementationID kXRefInsertCrossRefTextMarkerCmdImpl{0xF2C3C};
constexpr ImplementationID kXRefSetCrossRefUpdateTimeCmdImpl{0xF2C40};
constexpr ImplementationID kXRefEnableLiveUpdatesCmdImpl{0xF2C4A};
constexpr ImplementationID kXRefConvertCrossRefToTextCmdImpl{0xF2C27};
constexpr ImplementationID kXRefCreateCrossRefHyperlinkCmdImpl{0xF2C2B};
constexpr ImplementationID kXRefModifyCrossRefCmdImpl{0xF2C39};
constexpr ImplementationID kXRefSetCrossRefFormatCmdImpl{0xF2C3E};
constexpr ImplementationID kXRefSetCrossRefSourceMarkerCmdImpl{0xF2C3F};
constexpr ImplementationID kXRefRelinkCrossRefCmdImpl{0xF2C41};

constexpr ImplementationID kXRefAddFormatCmdImpl{0xF2C46};
constexpr ImplementationID kXRefModifyFormatCmdImpl{0xF2C47};
constexpr ImplementationID kXRefDeleteFormatCmdImpl{0xF2C48};
constexpr ImplementationID kXRefStartupCmdImpl{0xF2C49};
constexpr ImplementationID kXRefConvertFormatCmdImpl{0xF2C52};
constexpr ImplementationID kXRefConvertFormatContentHandlerImpl{0xF2C53};
constexpr ImplementationID kXRefConvertFormatCmdDataImpl{0xF2C54};

constexpr ImplementationID kXRefSetupSourceMarkerCmdImpl{0xF2C2E};
constexpr ImplementationID kXRefAddSourceMarkerCmdImpl{0xF2C31};
constexpr ImplementationID kXRefRemoveSourceMarkerCmdImpl{0xF2C32};
constexpr ImplementationID kXRefCopySourceMarkerCmdImpl{0xF2C34};
constexpr ImplementationID kXRefInsertSourceMarkerCmdImpl{0xF2C36};
constexpr ImplementationID kXRefDeleteSourceMarkerCmdImpl{0xF2C38};
constexpr ImplementationID kXRefModifySourceMarkerCmdImpl{0xF2C3A};
