#pragma once
// Identifiers of the plug-in's scripting: script classes and properties
// (four-character codes), the classes of its script providers, and their
// implementations.
#include "host/IDTypes.h"
#include "host/ScriptObjectModel.h"

constexpr ScriptID kXRefCrossRefScriptClass = MakeScriptID('x', 'r', 'c', 'r');
constexpr ScriptID kXRefStartMarkerScriptClass = MakeScriptID('x', 'r', 't', 's');
constexpr ScriptID kXRefEndMarkerScriptClass = MakeScriptID('x', 'r', 't', 'e');
constexpr ScriptID kXRefSourceMarkerScriptClass = MakeScriptID('x', 'r', 's', 'm');
constexpr ScriptID kXRefFormatScriptClass = MakeScriptID('x', 'r', 'f', 't');
constexpr ScriptID kXRefPrefsScriptClass = MakeScriptID('x', 'r', 'p', 'o');
constexpr ScriptID kXRefPrefsProperty = MakeScriptID('x', 'r', 'p', 'f');
constexpr ScriptID kXRefLiveUpdatesProperty = MakeScriptID('x', 'r', 'l', 'u');
constexpr ScriptID kXRefFormatNameProperty = MakeScriptID('x', 'r', 'f', 'n');
constexpr ScriptID kXRefFormatStringProperty = MakeScriptID('x', 'r', 'f', 'd');
constexpr ScriptID kXRefSourceMarkerNameProperty = MakeScriptID('x', 'r', 's', 'n');
constexpr ScriptID kXRefSourceFileProperty = MakeScriptID('x', 'r', 's', 'f');
constexpr ScriptID kXRefSourceStateProperty = MakeScriptID('x', 'r', 's', 's');
constexpr ScriptID kXRefCompositionStateProperty = MakeScriptID('x', 'r', 'c', 's');
constexpr ScriptID kXRefCompositionFailedProperty = MakeScriptID('x', 'r', 'i', 'i');
constexpr ScriptID kXRefSourceBrokenProperty = MakeScriptID('x', 'r', 'i', 'u');
constexpr ScriptID kXRefLocationProperty = MakeScriptID('x', 'r', 'l', 'n');
constexpr ScriptID kXRefStartMarkerProperty = MakeScriptID('x', 'r', 'm', 's');
constexpr ScriptID kXRefEndMarkerProperty = MakeScriptID('x', 'r', 'm', 'e');
constexpr ScriptID kXRefMarkerCrossRefProperty = MakeScriptID('x', 'r', 'o', 'b');
constexpr ScriptID kXRefPartnerMarkerProperty = MakeScriptID('x', 'r', 'm', 'o');
constexpr ScriptID kXRefUpdateMethod = MakeScriptID('x', 'r', 'u', 'd');
constexpr ScriptID kXRefConvertToTextMethod = MakeScriptID('x', 'r', 'c', 't');

// The classes that carry the providers.
constexpr ClassID kXRefPrefsScriptProviderBoss{0xF2C5B};
constexpr ClassID kXRefFormatScriptProviderBoss{0xF2C5D};
constexpr ClassID kXRefSourceMarkerScriptProviderBoss{0xF2C5F};
constexpr ClassID kXRefCrossRefScriptProviderBoss{0xF2C61};
constexpr ClassID kXRefCrossRefTextMarkerScriptProviderBoss{0xF2C64};

constexpr ImplementationID kXRefPrefsScriptProviderImpl{0xF2C5B};
constexpr ImplementationID kXRefFormatScriptProviderImpl{0xF2C5D};
constexpr ImplementationID kXRefSourceMarkerScriptProviderImpl{0xF2C5F};
constexpr ImplementationID kXRefCrossRefScriptProviderImpl{0xF2C61};
constexpr ImplementationID kXRefCrossRefTextMarkerScriptProviderImpl{0xF2C64};

// What scripts are refused when they would rewire markers into a state no
// command repairs.
constexpr ErrorCode kXRefMarkerInUseError{0xF2C0D};       // the marker belongs to another cross-reference
constexpr ErrorCode kXRefCharacterHasMarkerError{0xF2C0E};  // a marker is already anchored there
