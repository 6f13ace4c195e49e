// Values between the interpreter and the object model.
#include "headless/scripting/ScriptBinding.h"
#include "headless/scripting/ScriptDictionary.h"
#include "host/CmdUtils.h"
#include "host/IErrorStringService.h"
#include <cstdio>

void ScriptMessage::Set(const std::string& s) { std::snprintf(text, sizeof text, "%s", s.c_str()); }

ScriptContext& Ctx(js_State* J) { return *static_cast<ScriptContext*>(js_getcontext(J)); }

std::string DescribeScriptError(ErrorCode code) {
  static const std::pair<ErrorCode, const char*> kTexts[] = {
      {kScriptPropertyNotHandledError, "no such property"},
      {kScriptMethodNotHandledError, "no such method"},
      {kScriptReadOnlyPropertyError, "the property is read-only"},
      {kScriptBadValueError, "a value of the wrong type"},
      {kScriptObjectGoneError, "the object no longer exists"},
      {kScriptNoSuchObjectError, "no such object"},
      {kScriptNameInUseError, "another object has that name"},
  };
  for (const auto& entry : kTexts)
    if (entry.first == code) return entry.second;
  const std::string text = ErrorUtils::PMGetErrorString(code).GetUTF8String();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return text;
}

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
  else if (js_isuserdata(J, idx, kScriptObjectTag)) data->SetObject(*static_cast<ScriptObject*>(js_touserdata(J, idx, kScriptObjectTag)));
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
bool ToArgs(js_State* J, int idx, ScriptArgs* args, ScriptMessage* error) {
  if (js_isundefined(J, idx)) return true;
  if (!js_isobject(J, idx) || js_isuserdata(J, idx, kScriptObjectTag)) {
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
