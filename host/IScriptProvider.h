#pragma once
// A script provider serves the objects of one or more script classes: it
// counts and lists them under a parent, reads and writes their properties
// and runs their methods. Providers are service providers of
// kScriptProviderService; the host's scripting layer finds them by the
// classes they name. A request a provider does not serve answers
// kScriptPropertyNotHandledError or kScriptMethodNotHandledError, so that
// the layer can ask elsewhere.
#include "CScript.h"
#include "IPMUnknown.h"
#include "ScriptIDs.h"
#include <map>
#include <vector>

using ScriptArgs = std::map<ScriptID, ScriptData>;
using ScriptList = std::vector<ScriptObject>;

// A method call. For "crel" the target is the parent the new object goes
// under and objectClass the class to make; otherwise the target's own.
struct ScriptRequest {
  ScriptObject target;
  ScriptID method = 0;
  ScriptID objectClass = 0;
  ScriptArgs args;
};

class IScriptProvider : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISCRIPTPROVIDER;
  virtual void GetScriptClasses(std::vector<ScriptID>* classes) const = 0;
  // Whether objects of the class are listed under parents of the type.
  virtual bool16 IsCollectionParent(ScriptID cls, ScriptID parentType) const = 0;
  // Whether the provider adds the property to objects of another class.
  virtual bool16 AddsProperty(ScriptID parentType, ScriptID property) const = 0;
  virtual int32 CountObjects(const ScriptObject& parent, ScriptID cls) = 0;
  // Appends the n-th object (from 0) of the class under the parent.
  virtual ErrorCode AppendNthObject(const ScriptObject& parent, ScriptID cls, int32 n, ScriptList* objects) = 0;
  // Appends the object of the class whose name matches, ignoring case.
  virtual ErrorCode AppendObjectByName(const ScriptObject& parent, ScriptID cls, const PMString& name,
                                       ScriptList* objects) = 0;
  // Reads the property into data, or writes data into it.
  virtual ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) = 0;
  virtual ErrorCode HandleMethod(const ScriptRequest& request, ScriptData* result) = 0;
};
