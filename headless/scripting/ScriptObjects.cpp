// Script objects as JavaScript objects: properties and collections named
// in the dictionary, methods as functions bound to the object.
#include "headless/scripting/ScriptBinding.h"
#include "headless/scripting/ScriptDictionary.h"
#include "host/TextRanges.h"
#include <cstring>

namespace {
void FinalizeObject(js_State*, void* p) { delete static_cast<ScriptObject*>(p); }

// Replaces the argument object by a plain copy of its properties, read
// before any of the model's work starts: a getter of the script's may
// throw, and must not unwind through that work.
void CopyArgs(js_State* J, int idx) {
  if (!js_isobject(J, idx) || js_iscallable(J, idx) || js_isuserdata(J, idx, kScriptObjectTag)) return;
  js_newobject(J);
  js_pushiterator(J, idx, 1);
  while (const char* name = js_nextiterator(J, -1)) {
    js_getproperty(J, idx, name);
    js_setproperty(J, -3, name);
  }
  js_pop(J, 1);
  js_replace(J, idx);
}

// Runs the bound method with the properties of its one argument.
void CallMethod(js_State* J) {
  CopyArgs(J, 1);
  ScriptMessage error;
  {
    const ScriptBound& bound = *static_cast<ScriptBound*>(js_currentfunctiondata(J));
    ScriptRequest request{bound.target, bound.method, bound.cls, {}};
    ScriptData result;
    ErrorCode code = kSuccess;
    if (ToArgs(J, 1, &request.args, &error)) code = Ctx(J).model.Call(request, &result);
    if (code != kSuccess)
      error.Set(bound.method == kCreateMethod ? "add: " + DescribeScriptError(code) : DescribeScriptError(code));
    else if (!error.IsSet())
      PushData(J, result);
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
}

void ObjectToString(js_State* J) {
  std::string text;
  {
    auto* object = static_cast<ScriptObject*>(js_touserdata(J, 0, kScriptObjectTag));
    text = "[object " + ScriptDictionary::ClassName((*object)->GetObjectType()) + "]";
  }
  js_pushstring(J, text.c_str());
}

// characters(start, length) of a story: its text object over the range.
void StoryCharacters(js_State* J) {
  ScriptMessage error;
  {
    const ScriptBound& bound = *static_cast<ScriptBound*>(js_currentfunctiondata(J));
    ScriptData length;
    Ctx(J).model.Get(bound.target, kLengthProperty, &length);
    int32 total = -1;
    length.GetInt(&total);
    const int32 start = js_tryinteger(J, 1, -1);
    const int32 count = js_isundefined(J, 2) ? 0 : js_tryinteger(J, 2, -1);
    if (start < 0 || count < 0 || TextRangeEnd(start, count) > total) error.Set("characters: the range lies outside the story");
    else PushObject(J, std::make_shared<CTextScript>(bound.target->GetUIDRef(), start, count, bound.target));
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
}

int ObjectHas(js_State* J, void* p, const char* name) {
  ScriptMessage error;
  int found = 0;
  {
    const ScriptObject& object = *static_cast<ScriptObject*>(p);
    ScriptID code = 0;
    if (std::strcmp(name, "toString") == 0) {
      js_newcfunction(J, ObjectToString, "toString", 0);
      found = 1;
    } else if (ScriptDictionary::PropertyCode(name, &code)) {
      ScriptData data;
      const ErrorCode result = Ctx(J).model.Get(object, code, &data);
      if (result == kSuccess) {
        PushData(J, data);
        found = 1;
      } else if (result != kScriptPropertyNotHandledError) {
        error.Set(std::string(name) + ": " + DescribeScriptError(result));
      }
    } else if (ScriptDictionary::CollectionClass(name, &code)) {
      if (Ctx(J).model.IsCollection(object->GetObjectType(), code)) {
        PushCollection(J, object, code);
        found = 1;
      }
    } else if (ScriptDictionary::MethodCode(name, &code) && code != kCreateMethod) {
      PushMethod(J, object, code, object->GetObjectType(), name);
      found = 1;
    } else if (std::strcmp(name, "characters") == 0 && object->GetObjectType() == kStoryScriptClass) {
      js_newcfunctionx(J, StoryCharacters, name, 2, new ScriptBound{object, 0, 0}, FinalizeBound);
      found = 1;
    }
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
  return found;
}

int ObjectPut(js_State* J, void* p, const char* name) {
  ScriptMessage error;
  {
    const ScriptObject& object = *static_cast<ScriptObject*>(p);
    ScriptID code = 0;
    ScriptData data;
    if (!ScriptDictionary::PropertyCode(name, &code)) error.Set(std::string("no such property: ") + name);
    else if (!ToData(J, -1, &data)) error.Set(std::string(name) + ": a value of the wrong type");
    else {
      const ErrorCode result = Ctx(J).model.Set(object, code, data);
      if (result != kSuccess) error.Set(std::string(name) + ": " + DescribeScriptError(result));
    }
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
  return 1;
}

int RefuseDelete(js_State* J, void*, const char* name) {
  js_error(J, "%s: script objects' properties cannot be deleted", name);
  return 1;
}
}  // namespace

void FinalizeBound(js_State*, void* p) { delete static_cast<ScriptBound*>(p); }

void PushMethod(js_State* J, const ScriptObject& target, ScriptID method, ScriptID cls, const char* name) {
  js_newcfunctionx(J, CallMethod, name, 1, new ScriptBound{target, method, cls}, FinalizeBound);
}

void PushObject(js_State* J, const ScriptObject& object) {
  js_getglobal(J, "Object");
  js_getproperty(J, -1, "prototype");
  js_rot2pop1(J);
  js_newuserdatax(J, kScriptObjectTag, new ScriptObject(object), ObjectHas, ObjectPut, RefuseDelete, FinalizeObject);
}
