#pragma once
// Base of script providers: answers the parent ("pare") of any object, runs
// "cnte" without effect, finds objects by name through their "pnam", and
// leaves everything else unhandled. Derived providers pass every identifier
// they do not know to these.
#include "CPMUnknown.h"
#include "IScriptProvider.h"

class RepresentScriptProvider : public CPMUnknown<IScriptProvider> {
public:
  explicit RepresentScriptProvider(IPMUnknown* boss) : CPMUnknown<IScriptProvider>(boss) {}
  bool16 IsCollectionParent(ScriptID cls, ScriptID parentType) const override;
  bool16 AddsProperty(ScriptID parentType, ScriptID property) const override;
  int32 CountObjects(const ScriptObject& parent, ScriptID cls) override;
  ErrorCode AppendNthObject(const ScriptObject& parent, ScriptID cls, int32 n, ScriptList* objects) override;
  ErrorCode AppendObjectByName(const ScriptObject& parent, ScriptID cls, const PMString& name,
                               ScriptList* objects) override;
  ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) override;
  ErrorCode HandleMethod(const ScriptRequest& request, ScriptData* result) override;
};

// Base of providers that add a preferences object to the application and
// to documents: the object (of the class given) stands for the workspace
// whose preferences it holds and is reached through the property given.
class PrefsScriptProvider : public RepresentScriptProvider {
public:
  PrefsScriptProvider(IPMUnknown* boss, ScriptID objectClass, ScriptID property)
      : RepresentScriptProvider(boss), class_(objectClass), property_(property) {}
  void GetScriptClasses(std::vector<ScriptID>* classes) const override;
  bool16 AddsProperty(ScriptID parentType, ScriptID property) const override;
  ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) override;

private:
  ScriptID class_;
  ScriptID property_;
};
