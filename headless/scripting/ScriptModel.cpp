#include "headless/scripting/ScriptModel.h"
#include "headless/scripting/HostScriptObjects.h"
#include "host/CreateObject.h"
#include "host/IK2ServiceRegistry.h"

ScriptModel::ScriptModel() {
  for (ClassID cls : ServiceRegistry::ProvidersOf(kScriptProviderService)) {
    InterfacePtr<IScriptProvider> provider(static_cast<IScriptProvider*>(CreateObject(cls, IID_ISCRIPTPROVIDER)));
    if (!provider) continue;
    std::vector<ScriptID> classes;
    provider->GetScriptClasses(&classes);
    // The first provider of a class keeps it; the host's classes stay the host's.
    for (ScriptID c : classes)
      if (!HostScriptObjects::IsHostClass(c)) byClass_.emplace(c, provider.get());
    providers_.push_back(provider);
  }
}

ScriptObject ScriptModel::Application() const { return HostScriptObjects::Application(); }

IScriptProvider* ScriptModel::ProviderOf(ScriptID cls) const {
  auto it = byClass_.find(cls);
  return it == byClass_.end() ? nullptr : it->second;
}

bool ScriptModel::IsCollection(ScriptID parentType, ScriptID cls) const {
  if (HostScriptObjects::IsCollection(parentType, cls)) return true;
  IScriptProvider* provider = ProviderOf(cls);
  return provider && provider->IsCollectionParent(cls, parentType);
}

int32 ScriptModel::Count(const ScriptObject& parent, ScriptID cls) {
  if (!parent || !IsCollection(parent->GetObjectType(), cls)) return 0;
  if (HostScriptObjects::IsHostClass(cls)) return HostScriptObjects::Count(parent, cls);
  return ProviderOf(cls)->CountObjects(parent, cls);
}

ErrorCode ScriptModel::Nth(const ScriptObject& parent, ScriptID cls, int32 n, ScriptObject* out) {
  if (!parent || !IsCollection(parent->GetObjectType(), cls)) return kScriptNoSuchObjectError;
  if (HostScriptObjects::IsHostClass(cls)) return HostScriptObjects::Nth(parent, cls, n, out);
  ScriptList objects;
  const ErrorCode code = ProviderOf(cls)->AppendNthObject(parent, cls, n, &objects);
  if (code != kSuccess) return code;
  if (objects.empty()) return kScriptNoSuchObjectError;
  *out = objects.front();
  return kSuccess;
}

ErrorCode ScriptModel::ByName(const ScriptObject& parent, ScriptID cls, const PMString& name, ScriptObject* out) {
  if (!parent || !IsCollection(parent->GetObjectType(), cls)) return kScriptNoSuchObjectError;
  ScriptList objects;
  if (HostScriptObjects::IsHostClass(cls)) {
    // Host objects are found by their "pnam" as providers' are.
    for (int32 n = 0; n < Count(parent, cls); ++n) {
      ScriptObject candidate;
      ScriptData data;
      PMString candidateName;
      if (Nth(parent, cls, n, &candidate) != kSuccess || Get(candidate, kNameProperty, &data) != kSuccess) continue;
      if (data.GetString(&candidateName) && candidateName.IsEqualNoCase(name)) {
        *out = candidate;
        return kSuccess;
      }
    }
    return kScriptNoSuchObjectError;
  }
  const ErrorCode code = ProviderOf(cls)->AppendObjectByName(parent, cls, name, &objects);
  if (code != kSuccess) return code;
  if (objects.empty()) return kScriptNoSuchObjectError;
  *out = objects.front();
  return kSuccess;
}

ErrorCode ScriptModel::Access(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) {
  if (!object) return kScriptObjectGoneError;
  const ScriptID type = object->GetObjectType();
  ErrorCode code = kScriptPropertyNotHandledError;
  if (HostScriptObjects::IsHostClass(type)) code = HostScriptObjects::AccessProperty(object, property, set, data);
  else if (IScriptProvider* provider = ProviderOf(type)) code = provider->AccessProperty(object, property, set, data);
  if (code != kScriptPropertyNotHandledError) return code;
  for (auto& provider : providers_)
    if (provider->AddsProperty(type, property)) return provider->AccessProperty(object, property, set, data);
  return code;
}

ErrorCode ScriptModel::Get(const ScriptObject& object, ScriptID property, ScriptData* out) {
  return Access(object, property, false, out);
}

ErrorCode ScriptModel::Set(const ScriptObject& object, ScriptID property, const ScriptData& value) {
  ScriptData data = value;
  return Access(object, property, true, &data);
}

ErrorCode ScriptModel::Call(const ScriptRequest& request, ScriptData* result) {
  if (!request.target) return kScriptObjectGoneError;
  const ScriptID cls = request.method == kCreateMethod ? request.objectClass : request.target->GetObjectType();
  if (request.method == kCreateMethod && !IsCollection(request.target->GetObjectType(), cls))
    return kScriptMethodNotHandledError;
  IScriptProvider* provider = ProviderOf(cls);
  if (!provider) return request.method == kCountMethod ? kSuccess : kScriptMethodNotHandledError;
  return provider->HandleMethod(request, result);
}
