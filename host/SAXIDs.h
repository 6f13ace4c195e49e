#pragma once
// Identifiers of the host's SAX parser service: its interfaces, the parser
// class, its implementations and the service under which it is found.
#include "IDTypes.h"

constexpr PMIID IID_ISAXPARSER{0x1A0};
constexpr PMIID IID_ISAXPARSEROPTIONS{0x1A1};
constexpr PMIID IID_ISAXCONTENTHANDLER{0x1A2};
constexpr PMIID IID_ISAXATTRIBUTES{0x1A3};
constexpr PMIID IID_ISAXGRAMMARCACHE{0x1A4};

constexpr ClassID kSAXParserBoss{0x2A0};

constexpr ImplementationID kSAXParserImpl{0x3A0};
constexpr ImplementationID kSAXParserOptionsImpl{0x3A1};
constexpr ImplementationID kSAXParserServiceProviderImpl{0x3A2};
constexpr ImplementationID kSAXGrammarCacheImpl{0x3A3};

constexpr ServiceID kSAXParserService{0x4A0};
