#pragma once
// What the script providers share: the story range a parent stands for,
// the owned items of a class in it, text objects, reading request
// parameters and running commands.
#include "host/CScript.h"
#include "host/ICommand.h"
#include "host/IScriptProvider.h"

namespace XRefScriptUtils {
// The story and range of a story ("cflo": all of it) or text ("cins")
// parent; false for any other parent.
bool StoryRange(const ScriptObject& parent, UIDRef* story, TextIndex* start, int32* length);
// The UIDs of the owned items of the class anchored in the range, in text order.
UIDList OwnedItems(const UIDRef& story, TextIndex start, int32 length, ClassID cls);
// kSuccess when the text marker is free or already serves the cross-reference;
// otherwise kXRefMarkerInUseError, left set: a marker taken from another
// cross-reference would leave that one without text no command repairs.
ErrorCode RefuseMarkerOfAnother(const UIDRef& marker, UID crossRef);
// kSuccess when no marker (source, start or end) is anchored at the index;
// otherwise kXRefCharacterHasMarkerError, left set.
ErrorCode RefuseMarkedCharacter(const UIDRef& story, TextIndex at);
// A text object ("cins") over the range of the story.
ScriptObject TextObject(const UIDRef& story, TextIndex start, int32 length, const ScriptObject& parent);
// The document object above the object; null when there is none.
ScriptObject DocumentOf(const ScriptObject& object);
// Parameter of a request; false when absent or of another type.
bool ArgString(const ScriptArgs& args, ScriptID code, PMString* value);
bool ArgObject(const ScriptArgs& args, ScriptID code, ScriptObject* value);
// Where a new object goes: the text given ("hsTx"), else the text the
// collection is of; null when that is no text of the target's document.
std::shared_ptr<const CTextScript> CreationText(const ScriptRequest& request);
// Runs the command; its error (or kInvalidParameterError when it could not
// be made) is answered and left set for the scripting layer.
ErrorCode Process(ICommand* cmd);
// The text a string answers or is set to: never translated.
PMString Untranslated(const PMString& s);
// Deletes the story's text in the range as typing would, so that the owned
// items anchored there are deleted with their characters.
ErrorCode DeleteText(const UIDRef& story, TextIndex start, int32 length);
}  // namespace XRefScriptUtils
