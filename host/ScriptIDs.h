#pragma once
// Identifiers of the host's scripting layer: the service under which script
// providers announce themselves, their interface, the host's own script
// classes, properties and methods, and the errors scripts see.
#include "IDTypes.h"
#include "ScriptObjectModel.h"

constexpr ServiceID kScriptProviderService{0x14200};
constexpr PMIID IID_ISCRIPTPROVIDER{0x14200};
// Script providers aggregate it under IK2ServiceProvider to be found.
constexpr ImplementationID kScriptProviderServiceImpl{0x14200};
// The host's preferences object, on which plug-ins define their own.
constexpr ClassID kPreferencesScriptClass{0x770A};

// The host's script classes.
constexpr ScriptID kApplicationScriptClass = MakeScriptID('c', 'a', 'p', 'p');
constexpr ScriptID kDocumentScriptClass = MakeScriptID('d', 'o', 'c', 'u');
constexpr ScriptID kStoryScriptClass = MakeScriptID('c', 'f', 'l', 'o');
constexpr ScriptID kTextScriptClass = MakeScriptID('c', 'i', 'n', 's');

// The host's properties and methods.
constexpr ScriptID kParentProperty = MakeScriptID('p', 'a', 'r', 'e');
constexpr ScriptID kIndexProperty = MakeScriptID('p', 'i', 'd', 'x');
constexpr ScriptID kNameProperty = MakeScriptID('p', 'n', 'a', 'm');
constexpr ScriptID kContentsProperty = MakeScriptID('p', 'c', 'n', 't');
constexpr ScriptID kTextObjectProperty = MakeScriptID('h', 's', 'T', 'x');
constexpr ScriptID kFullNameProperty = MakeScriptID('f', 'p', 't', 'h');
constexpr ScriptID kLengthProperty = MakeScriptID('l', 'n', 'g', 't');
constexpr ScriptID kCreateMethod = MakeScriptID('c', 'r', 'e', 'l');
constexpr ScriptID kDeleteMethod = MakeScriptID('d', 'e', 'l', 'o');
constexpr ScriptID kCountMethod = MakeScriptID('c', 'n', 't', 'e');

// What the scripting layer answers when a request cannot be served.
constexpr ErrorCode kScriptPropertyNotHandledError{0x14200};
constexpr ErrorCode kScriptMethodNotHandledError{0x14201};
constexpr ErrorCode kScriptReadOnlyPropertyError{0x14202};
constexpr ErrorCode kScriptBadValueError{0x14203};
constexpr ErrorCode kScriptObjectGoneError{0x14204};
constexpr ErrorCode kScriptNoSuchObjectError{0x14205};
constexpr ErrorCode kScriptNameInUseError{0x14206};
