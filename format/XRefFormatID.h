#pragma once
// Identifiers of the format language: its services, classes, interfaces,
// implementations and error codes.
#include "host/IDTypes.h"

// Services.
constexpr ServiceID kXRefElementService{0xF2C00};
constexpr ServiceID kXRefValidatorService{0xF2C01};
constexpr ServiceID kXRefPreviewerService{0xF2C02};
constexpr ServiceID kXRefComposerService{0xF2C03};

// Interfaces.
constexpr PMIID IID_IXREFPARSINGUTILS{0xF2C70};
constexpr PMIID IID_IXREFELEMENT{0xF2C71};
constexpr PMIID IID_IXREFVALIDATOR{0xF2C72};
constexpr PMIID IID_IXREFPREVIEWER{0xF2C73};
constexpr PMIID IID_IXREFCOMPOSER{0xF2C74};
constexpr PMIID IID_IXREFCOMPOSERSTATE{0xF2C75};
constexpr PMIID IID_IXREFSOURCETEXTLOC{0xF2C76};
constexpr PMIID IID_IXREFDESTTEXTLOC{0xF2C77};

// Classes. Each building block is a class of its own under the element service.
constexpr ClassID kXRefValidatorBoss{0xF2C79};
constexpr ClassID kXRefPreviewerBoss{0xF2C7C};
constexpr ClassID kXRefComposerBoss{0xF2C7F};
constexpr ClassID kXRefChapnumElementBoss{0xF2CC9};
constexpr ClassID kXRefFilenameElementBoss{0xF2CCA};
constexpr ClassID kXRefFnnumElementBoss{0xF2CCB};
constexpr ClassID kXRefPagenumElementBoss{0xF2CCC};
constexpr ClassID kXRefParanumElementBoss{0xF2CCD};
constexpr ClassID kXRefParatextElementBoss{0xF2CCE};
constexpr ClassID kXRefSpanElementBoss{0xF2CCF};
constexpr ClassID kXRefMarkerElementBoss{0xF2CD0};
constexpr ClassID kXRefCharElementBoss{0xF2CD1};

// Implementations.
constexpr ImplementationID kXRefTextLocImpl{0xF2C78};
constexpr ImplementationID kXRefValidatorImpl{0xF2C79};
constexpr ImplementationID kXRefValidatorContentHandlerImpl{0xF2C7A};
constexpr ImplementationID kXRefValidatorServiceProviderImpl{0xF2C7B};
constexpr ImplementationID kXRefPreviewerImpl{0xF2C7C};
constexpr ImplementationID kXRefPreviewerContentHandlerImpl{0xF2C7D};
constexpr ImplementationID kXRefPreviewerServiceProviderImpl{0xF2C7E};
constexpr ImplementationID kXRefComposerImpl{0xF2C7F};
constexpr ImplementationID kXRefComposerContentHandlerImpl{0xF2C80};
constexpr ImplementationID kXRefComposerServiceProviderImpl{0xF2C81};
constexpr ImplementationID kXRefComposerStateImpl{0xF2C82};
constexpr ImplementationID kXRefParsingUtilsImpl{0xF2C96};
constexpr ImplementationID kXRefElementServiceProviderImpl{0xF2CC8};
constexpr ImplementationID kXRefChapnumElementImpl{0xF2CC9};
constexpr ImplementationID kXRefFilenameElementImpl{0xF2CCA};
constexpr ImplementationID kXRefFnnumElementImpl{0xF2CCB};
constexpr ImplementationID kXRefPagenumElementImpl{0xF2CCC};
constexpr ImplementationID kXRefParanumElementImpl{0xF2CCD};
constexpr ImplementationID kXRefParatextElementImpl{0xF2CCE};
constexpr ImplementationID kXRefSpanElementImpl{0xF2CCF};
constexpr ImplementationID kXRefMarkerElementImpl{0xF2CD0};
constexpr ImplementationID kXRefCharElementImpl{0xF2CD1};

// Errors raised in composition.
// A cross-reference's format named one the document's list does not hold.
constexpr ErrorCode kXRefFormatNotFoundError{0xF2C0C};
constexpr ErrorCode kXRefMissingInputError{0xF2C64};
constexpr ErrorCode kXRefParaStyleNotFoundError{0xF2C65};
constexpr ErrorCode kXRefCharStyleNotFoundError{0xF2C66};
constexpr ErrorCode kXRefNoPrecedingParagraphError{0xF2C67};
constexpr ErrorCode kXRefNoFollowingParagraphError{0xF2C68};
constexpr ErrorCode kXRefNotOnPageError{0xF2C69};
constexpr ErrorCode kXRefOnPasteboardError{0xF2C6A};
constexpr ErrorCode kXRefPageTextWithoutNumberError{0xF2C6B};
constexpr ErrorCode kXRefNotInFootnoteError{0xF2C6C};
constexpr ErrorCode kXRefNotNumberedError{0xF2C6D};
constexpr ErrorCode kXRefNoFilteredTextError{0xF2C6E};

// The error-string service that words the plug-in's error codes.
constexpr ClassID kXRefErrorStringServiceBoss{0xF2C5A};
constexpr ImplementationID kXRefErrorStringServiceImpl{0xF2C5A};
