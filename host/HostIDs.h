#pragma once
// Identifiers of the host's own classes, interfaces and implementations.
// Numbers the plug-in's design names are used as given; the rest are the
// headless host's, all below the plug-in's 0xF2C00 range.
#include "IDTypes.h"

// Interfaces.
constexpr PMIID IID_ICOMMAND{0x105};
constexpr PMIID IID_IIMPLEMENTATIONREGISTRY{0x104};
constexpr PMIID IID_ISESSION{0x106};
constexpr PMIID IID_IINTDATA{0x110};
constexpr PMIID IID_IBOOLDATA{0x111};
constexpr PMIID IID_ISTRINGDATA{0x112};
constexpr PMIID IID_IUIDDATA{0x113};
constexpr PMIID IID_IRANGEDATA{0x114};
constexpr PMIID IID_ICLASSIDDATA{0x115};
constexpr PMIID IID_IFILEDATA{0x116};
constexpr PMIID IID_IWIDESTRINGDATA{0x117};
constexpr PMIID IID_IINTDATA2{0x118};
constexpr PMIID IID_IK2SERVICEPROVIDER{0x120};
constexpr PMIID IID_IRESPONDER{0x121};
constexpr PMIID IID_ISIGNALMGR{0x122};
constexpr PMIID IID_ISTARTUPSHUTDOWN{0x123};
constexpr PMIID IID_IIDLETASK{0x124};
constexpr PMIID IID_IPLUGIN{0x125};
constexpr PMIID IID_IERRORSTRINGSERVICE{0x126};
constexpr PMIID IID_IWORKSPACE{0x127};
constexpr PMIID IID_ISUBJECT{281};
constexpr PMIID IID_IPLUGINDATA{366};
constexpr PMIID IID_IDOCUMENT{0xE02};
constexpr PMIID IID_IDOCUMENTSIGNALDATA{0xE1E};
// Utilities on the utilities object (UtilsBoss::QueryUtils).
constexpr PMIID IID_IDOCUMENTUTILS{0x128};
constexpr PMIID IID_IDOCUMENTOPENUTILS{0x1D03E};
constexpr PMIID IID_ISCRIPTUTILS{0x7715};

// Classes.
constexpr ClassID kSessionBoss{0x200};
constexpr ClassID kDocBoss{0x201};
constexpr ClassID kDocWorkspaceBoss{0x202};
constexpr ClassID kWorkspaceBoss{0x203};
constexpr ClassID kCommandBoss{0x204};
constexpr ClassID kDocumentSignalBoss{0x205};
constexpr ClassID kUtilsBoss{0x206};
// Gives an open document a window and brings it to the front. Item list: the
// document (any object of its database). Application state, not document
// data: it makes no undo step.
constexpr ClassID kOpenWindowCmdBoss{0xE0A};

// Implementations.
constexpr ImplementationID kIntDataImpl{0x300};
constexpr ImplementationID kBoolDataImpl{0x301};
constexpr ImplementationID kStringDataImpl{0x302};
constexpr ImplementationID kUIDDataImpl{0x303};
constexpr ImplementationID kRangeDataImpl{0x304};
constexpr ImplementationID kClassIDDataImpl{0x305};
constexpr ImplementationID kFileDataImpl{0x306};
constexpr ImplementationID kWideStringDataImpl{0x307};
constexpr ImplementationID kDocumentImpl{0x310};
constexpr ImplementationID kWorkspaceImpl{0x311};
constexpr ImplementationID kDocumentSignalDataImpl{0x312};
constexpr ImplementationID kPlugInDataImpl{0x313};
constexpr ImplementationID kDocumentUtilsImpl{0x314};
constexpr ImplementationID kDocumentOpenUtilsImpl{0x315};
constexpr ImplementationID kScriptUtilsImpl{0x316};
constexpr ImplementationID kOpenWindowCmdImpl{0x317};

// Services the host knows.
constexpr ServiceID kDocResponderService{0x400};
constexpr ServiceID kStartupShutdownService{0x401};
constexpr ServiceID kErrorStringService{0x402};
// Document signals.
constexpr ServiceID kBeforeNewDocSignalResponderService{3595};
constexpr ServiceID kAfterNewDocSignalResponderService{3596};
constexpr ServiceID kAfterOpenDocSignalResponderService{3599};
constexpr ServiceID kBeforeSaveDocSignalResponderService{3600};
constexpr ServiceID kBeforeSaveAsDocSignalResponderService{3602};
constexpr ServiceID kBeforeSaveACopyDocSignalResponderService{3604};
constexpr ServiceID kBeforeCloseDocSignalResponderService{3609};
constexpr ServiceID kAfterCloseDocSignalResponderService{3610};
