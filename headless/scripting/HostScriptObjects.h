#pragma once
// The host's own script classes: the application ("capp") lists documents,
// a document ("docu") its stories, a story ("cflo") and text ("cins") answer
// their contents and position. Text contents can be set, as typing would.
#include "host/IScriptProvider.h"

namespace HostScriptObjects {
bool IsHostClass(ScriptID cls);
// Whether the host lists objects of the class under parents of the type.
bool IsCollection(ScriptID parentType, ScriptID cls);
int32 Count(const ScriptObject& parent, ScriptID cls);
ErrorCode Nth(const ScriptObject& parent, ScriptID cls, int32 n, ScriptObject* out);
ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data);
// The application object, the root of every path.
ScriptObject Application();
}  // namespace HostScriptObjects
