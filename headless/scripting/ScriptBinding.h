#pragma once
// What the pieces of the JavaScript binding share. The interpreter (MuJS)
// reaches the object model through user data whose property hooks ask the
// model. MuJS unwinds errors with longjmp, so every hook does its C++ work
// in an inner scope that ends before an error is thrown, leaving no
// destructor to skip; messages wait in a ScriptMessage meanwhile.
#include "headless/scripting/ScriptModel.h"
#include "host/CmdUtils.h"
#include <memory>
#include <mujs.h>
#include <ostream>
#include <string>

constexpr const char* kScriptObjectTag = "ScriptObject";
constexpr const char* kScriptCollectionTag = "ScriptCollection";

struct ScriptContext {
  ScriptModel model;
  std::ostream* out = nullptr;
  // The undo step the script's changes go to.
  std::unique_ptr<CmdUtils::SequenceContext> step;
};
ScriptContext& Ctx(js_State* J);

// A bound method: its target, code and the class it makes ("crel").
struct ScriptBound {
  ScriptObject target;
  ScriptID method = 0;
  ScriptID cls = 0;
};
void FinalizeBound(js_State*, void* p);

// Room for an error message that outlives the scope that made it.
struct ScriptMessage {
  char text[512] = {0};
  void Set(const std::string& s);
  bool IsSet() const { return text[0] != 0; }
};

// The text scripts see for an error code (clearing the global error).
std::string DescribeScriptError(ErrorCode code);
void PushData(js_State* J, const ScriptData& data);
// False for values a script object cannot take (functions, plain objects).
bool ToData(js_State* J, int idx, ScriptData* data);
// The properties of a plain object at idx, named as the dictionary names them.
bool ToArgs(js_State* J, int idx, ScriptArgs* args, ScriptMessage* error);

void PushObject(js_State* J, const ScriptObject& object);
void PushCollection(js_State* J, const ScriptObject& parent, ScriptID cls);
// A function running the method on the target.
void PushMethod(js_State* J, const ScriptObject& target, ScriptID method, ScriptID cls, const char* name);
