// The interpreter (MuJS) reaches the object model through user data whose
// property hooks ask the model. MuJS unwinds errors with longjmp, so every
// hook does its C++ work in an inner scope that ends before an error is
// thrown, leaving no destructor to skip.
#include "headless/scripting/ScriptRunner.h"
#include "headless/scripting/ScriptDictionary.h"
#include "headless/scripting/ScriptMemory.h"
#include "headless/scripting/ScriptModel.h"
#include "host/CmdUtils.h"
#include "host/IErrorStringService.h"
#include <cstdio>
#include <cstring>
#include <mujs.h>

namespace {
constexpr const char* kObjectTag = "ScriptObject";
constexpr const char* kCollectionTag = "ScriptCollection";

struct Context {
  ScriptModel model;
  std::ostream* out = nullptr;
};

struct Collection {
  ScriptObject parent;
  ScriptID cls = 0;
};

struct Bound {
  ScriptObject target;
  ScriptID method = 0;
  ScriptID cls = 0;
};

// Room for an error message that outlives the scope that made it.
struct Message {
  char text[512] = {0};
  void Set(const std::string& s) { std::snprintf(text, sizeof text, "%s", s.c_str()); }
  bool IsSet() const { return text[0] != 0; }
};

Context& Ctx(js_State* J) { return *static_cast<Context*>(js_getcontext(J)); }

std::string Describe(ErrorCode code) {
  static const std::pair<ErrorCode, const char*> kTexts[] = {
      {kScriptPropertyNotHandledError, "no such property"},
      {kScriptMethodNotHandledError, "no such method"},
      {kScriptReadOnlyPropertyError, "the property is read-only"},
      {kScriptBadValueError, "a value of the wrong type"},
      {kScriptObjectGoneError, "the object no longer exists"},
      {kScriptNoSuchObjectError, "no such object"},
  };
  for (const auto& entry : kTexts)
    if (entry.first == code) return entry.second;
  const std::string text = ErrorUtils::PMGetErrorString(code).GetUTF8String();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return text;
}

void PushObject(js_State* J, const ScriptObject& object);
void PushCollection(js_State* J, const ScriptObject& parent, ScriptID cls);

void PushData(js_State* J, const ScriptData& data) {
  int32 i = 0;
  bool16 b = false;
  double d = 0;
  PMString s;
  switch (data.GetType()) {
    case ScriptData::kInt: data.GetInt(&i); js_pushnumber(J, i); return;
    case ScriptData::kBool: data.GetBool(&b); js_pushboolean(J, b); return;
    case ScriptData::kReal: data.GetReal(&d); js_pushnumber(J, d); return;
    case ScriptData::kString: data.GetString(&s); js_pushstring(J, s.GetUTF8String().c_str()); return;
    case ScriptData::kObject:
      if (data.GetObject()) PushObject(J, data.GetObject());
      else js_pushnull(J);
      return;
    default: js_pushundefined(J); return;
  }
}

// False for values a script object cannot take (functions, plain objects).
bool ToData(js_State* J, int idx, ScriptData* data) {
  if (js_isboolean(J, idx)) data->SetBool(js_toboolean(J, idx));
  else if (js_isnumber(J, idx)) {
    const double d = js_tonumber(J, idx);
    if (d == static_cast<double>(static_cast<int32>(d))) data->SetInt(static_cast<int32>(d));
    else data->SetReal(d);
  } else if (js_isstring(J, idx)) data->SetString(PMString(js_tostring(J, idx), PMString::kNoTranslate));
  else if (js_isnull(J, idx)) data->SetObject(nullptr);
  else if (js_isuserdata(J, idx, kObjectTag)) data->SetObject(*static_cast<ScriptObject*>(js_touserdata(J, idx, kObjectTag)));
  else return false;
  if (data->GetType() == ScriptData::kString) {
    PMString s;
    data->GetString(&s);
    s.SetTranslatable(false);
    data->SetString(s);
  }
  return true;
}

// The properties of a plain object, named as the dictionary names them.
bool ToArgs(js_State* J, int idx, ScriptArgs* args, Message* error) {
  if (js_isundefined(J, idx)) return true;
  if (!js_isobject(J, idx) || js_isuserdata(J, idx, kObjectTag)) {
    error->Set("add() takes an object of properties");
    return false;
  }
  js_pushiterator(J, idx, 1);
  while (const char* name = js_nextiterator(J, -1)) {
    ScriptID code = 0;
    if (!ScriptDictionary::PropertyCode(name, &code)) {
      error->Set(std::string("no such property: ") + name);
      break;
    }
    js_getproperty(J, idx, name);
    ScriptData data;
    const bool ok = ToData(J, -1, &data);
    js_pop(J, 1);
    if (!ok) {
      error->Set(std::string("a value of the wrong type for ") + name);
      break;
    }
    (*args)[code] = data;
  }
  js_pop(J, 1);
  return !error->IsSet();
}

void FinalizeObject(js_State*, void* p) { delete static_cast<ScriptObject*>(p); }
void FinalizeCollection(js_State*, void* p) { delete static_cast<Collection*>(p); }
void FinalizeBound(js_State*, void* p) { delete static_cast<Bound*>(p); }

void CallMethod(js_State* J) {
  Message error;
  {
    const Bound& bound = *static_cast<Bound*>(js_currentfunctiondata(J));
    ScriptRequest request{bound.target, bound.method, bound.cls, {}};
    if (!ToArgs(J, 1, &request.args, &error)) {
    } else {
      ScriptData result;
      const ErrorCode code = Ctx(J).model.Call(request, &result);
      if (code != kSuccess) error.Set(ScriptDictionary::CodeText(bound.method) == "crel" ? "add: " + Describe(code)
                                                                                       : Describe(code));
      else PushData(J, result);
    }
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
}

void PushMethod(js_State* J, const ScriptObject& target, ScriptID method, ScriptID cls, const char* name) {
  js_newcfunctionx(J, CallMethod, name, 1, new Bound{target, method, cls}, FinalizeBound);
}

void ObjectToString(js_State* J) {
  std::string text;
  {
    auto* object = static_cast<ScriptObject*>(js_touserdata(J, 0, kObjectTag));
    text = "[object " + ScriptDictionary::ClassName((*object)->GetObjectType()) + "]";
  }
  js_pushstring(J, text.c_str());
}

// characters(start, length) of a story: its text object over the range.
void StoryCharacters(js_State* J) {
  Message error;
  {
    const Bound& bound = *static_cast<Bound*>(js_currentfunctiondata(J));
    ScriptData length;
    Ctx(J).model.Get(bound.target, kLengthProperty, &length);
    int32 total = -1;
    length.GetInt(&total);
    const int32 start = js_tryinteger(J, 1, -1);
    const int32 count = js_isundefined(J, 2) ? 0 : js_tryinteger(J, 2, -1);
    if (start < 0 || count < 0 || start + count > total) error.Set("characters: the range lies outside the story");
    else PushObject(J, std::make_shared<CTextScript>(bound.target->GetUIDRef(), start, count, bound.target));
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
}

int ObjectHas(js_State* J, void* p, const char* name) {
  Message error;
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
        error.Set(std::string(name) + ": " + Describe(result));
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
      js_newcfunctionx(J, StoryCharacters, name, 2, new Bound{object, 0, 0}, FinalizeBound);
      found = 1;
    }
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
  return found;
}

int ObjectPut(js_State* J, void* p, const char* name) {
  Message error;
  {
    const ScriptObject& object = *static_cast<ScriptObject*>(p);
    ScriptID code = 0;
    ScriptData data;
    if (!ScriptDictionary::PropertyCode(name, &code)) error.Set(std::string("no such property: ") + name);
    else if (!ToData(J, -1, &data)) error.Set(std::string(name) + ": a value of the wrong type");
    else {
      const ErrorCode result = Ctx(J).model.Set(object, code, data);
      if (result != kSuccess) error.Set(std::string(name) + ": " + Describe(result));
    }
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
  return 1;
}

int RefuseDelete(js_State* J, void*, const char* name) {
  js_error(J, "%s: script objects' properties cannot be deleted", name);
  return 1;
}

void PushObject(js_State* J, const ScriptObject& object) {
  js_getglobal(J, "Object");
  js_getproperty(J, -1, "prototype");
  js_rot2pop1(J);
  js_newuserdatax(J, kObjectTag, new ScriptObject(object), ObjectHas, ObjectPut, RefuseDelete, FinalizeObject);
}

// item(index or name) of a collection.
void CollectionItem(js_State* J) {
  Message error;
  {
    const Bound& bound = *static_cast<Bound*>(js_currentfunctiondata(J));
    ScriptObject found;
    ErrorCode code = kScriptNoSuchObjectError;
    if (js_isnumber(J, 1)) code = Ctx(J).model.Nth(bound.target, bound.cls, js_toint32(J, 1), &found);
    else if (js_isstring(J, 1))
      code = Ctx(J).model.ByName(bound.target, bound.cls, PMString(js_tostring(J, 1), PMString::kNoTranslate), &found);
    if (code == kSuccess) PushObject(J, found);
    else js_pushnull(J);
  }
  if (error.IsSet()) js_error(J, "%s", error.text);
}

int CollectionHas(js_State* J, void* p, const char* name) {
  int found = 0;
  {
    const Collection& c = *static_cast<Collection*>(p);
    char* end = nullptr;
    const long n = std::strtol(name, &end, 10);
    if (std::strcmp(name, "length") == 0) {
      js_pushnumber(J, Ctx(J).model.Count(c.parent, c.cls));
      found = 1;
    } else if (*name && *end == 0 && n >= 0) {
      ScriptObject object;
      if (Ctx(J).model.Nth(c.parent, c.cls, static_cast<int32>(n), &object) == kSuccess) {
        PushObject(J, object);
        found = 1;
      }
    } else if (std::strcmp(name, "item") == 0 || std::strcmp(name, "itemByName") == 0) {
      js_newcfunctionx(J, CollectionItem, name, 1, new Bound{c.parent, 0, c.cls}, FinalizeBound);
      found = 1;
    } else if (std::strcmp(name, "add") == 0) {
      PushMethod(J, c.parent, kCreateMethod, c.cls, name);
      found = 1;
    }
  }
  return found;
}

int RefusePut(js_State* J, void*, const char* name) {
  js_error(J, "%s: collections cannot be changed that way", name);
  return 1;
}

void PushCollection(js_State* J, const ScriptObject& parent, ScriptID cls) {
  js_getglobal(J, "Object");
  js_getproperty(J, -1, "prototype");
  js_rot2pop1(J);
  js_newuserdatax(J, kCollectionTag, new Collection{parent, cls}, CollectionHas, RefusePut, RefuseDelete,
                  FinalizeCollection);
}

void Print(js_State* J) {
  {
    std::string line;
    const int n = js_gettop(J);
    for (int i = 1; i < n; ++i) {
      if (i > 1) line += ' ';
      line += js_tostring(J, i);
    }
    *Ctx(J).out << line << "\n";
  }
  js_pushundefined(J);
}

// "FILE:LINE" of the innermost script frame of a stack trace.
std::string WhereFrom(const std::string& trace, const std::string& fileName) {
  const std::string key = fileName + ":";
  const size_t at = trace.find(key);
  if (at == std::string::npos) return fileName;
  size_t end = at + key.size();
  while (end < trace.size() && trace[end] >= '0' && trace[end] <= '9') ++end;
  return trace.substr(at, end - at);
}

// Compile errors already name file and line; thrown ones name them in
// their stack trace.
std::string ErrorText(js_State* J, const std::string& fileName) {
  std::string where = fileName;
  if (js_isobject(J, -1) && js_hasproperty(J, -1, "stackTrace")) {
    where = WhereFrom(js_tostring(J, -1), fileName);
    js_pop(J, 1);
  }
  std::string message = js_trystring(J, -1, "an exception that is not a string");
  if (message.compare(0, 13, "SyntaxError: ") == 0 && message.find(fileName + ":") == 13)
    return message.substr(13);
  return where + ": " + message;
}

// Run protected, since making them may run out of memory.
void SetUpGlobals(js_State* J) {
  js_newcfunction(J, Print, "print", 1);
  js_setglobal(J, "print");
  PushObject(J, Ctx(J).model.Application());
  js_setglobal(J, "app");
  js_pushundefined(J);
}

}  // namespace

bool RunScript(const std::string& fileName, const std::string& source, std::ostream& out,
               const ScriptLimits& limits, std::string* error) {
  ScriptMemory memory;
  memory.limit = limits.memoryBytes;
  Context context;
  context.out = &out;
  js_State* J = js_newstate(ScriptMemory::Allocate, &memory, JS_STRICT);
  if (!J) {
    *error = fileName + ": out of memory";
    return false;
  }
  js_setcontext(J, &context);
  CmdUtils::SequenceContext step{PMString(fileName.c_str(), PMString::kNoTranslate)};
  bool ok = false;
  js_newcfunction(J, SetUpGlobals, "", 0);
  js_pushundefined(J);
  if (js_pcall(J, 0)) {
    *error = ErrorText(J, fileName);
  } else if (js_pop(J, 1), js_ploadstring(J, fileName.c_str(), source.c_str())) {
    *error = ErrorText(J, fileName);
  } else {
    js_pushundefined(J);
    ok = js_pcall(J, 0) == 0;
    if (!ok) *error = ErrorText(J, fileName);
  }
  js_freestate(J);
  return ok;
}
