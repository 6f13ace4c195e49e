#pragma once
// The scripting object model: routes each request to the provider of the
// object's class, the host's own classes to the host, and a property nobody
// serves for a class to the providers that add it. Providers are found once,
// as service providers of kScriptProviderService, by the classes they name.
#include "host/IScriptProvider.h"
#include "host/InterfacePtr.h"

class ScriptModel {
public:
  ScriptModel();
  ScriptObject Application() const;
  // Whether objects of the class are listed under parents of the type.
  bool IsCollection(ScriptID parentType, ScriptID cls) const;
  int32 Count(const ScriptObject& parent, ScriptID cls);
  ErrorCode Nth(const ScriptObject& parent, ScriptID cls, int32 n, ScriptObject* out);
  ErrorCode ByName(const ScriptObject& parent, ScriptID cls, const PMString& name, ScriptObject* out);
  ErrorCode Get(const ScriptObject& object, ScriptID property, ScriptData* out);
  ErrorCode Set(const ScriptObject& object, ScriptID property, const ScriptData& value);
  ErrorCode Call(const ScriptRequest& request, ScriptData* result);

private:
  IScriptProvider* ProviderOf(ScriptID cls) const;
  ErrorCode Access(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data);

  std::vector<InterfacePtr<IScriptProvider>> providers_;
  std::map<ScriptID, IScriptProvider*> byClass_;
};
