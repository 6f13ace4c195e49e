#include "host/RepresentScriptProvider.h"
#include "host/IDocument.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"

bool16 RepresentScriptProvider::IsCollectionParent(ScriptID, ScriptID) const { return false; }

bool16 RepresentScriptProvider::AddsProperty(ScriptID, ScriptID) const { return false; }

int32 RepresentScriptProvider::CountObjects(const ScriptObject&, ScriptID) { return 0; }

ErrorCode RepresentScriptProvider::AppendNthObject(const ScriptObject&, ScriptID, int32, ScriptList*) {
  return kScriptNoSuchObjectError;
}

ErrorCode RepresentScriptProvider::AppendObjectByName(const ScriptObject& parent, ScriptID cls,
                                                      const PMString& name, ScriptList* objects) {
  const int32 count = CountObjects(parent, cls);
  for (int32 n = 0; n < count; ++n) {
    ScriptList one;
    if (AppendNthObject(parent, cls, n, &one) != kSuccess || one.empty()) continue;
    ScriptData data;
    PMString candidate;
    if (AccessProperty(one.front(), kNameProperty, false, &data) != kSuccess || !data.GetString(&candidate)) continue;
    if (!candidate.IsEqualNoCase(name)) continue;
    objects->push_back(one.front());
    return kSuccess;
  }
  return kScriptNoSuchObjectError;
}

ErrorCode RepresentScriptProvider::AccessProperty(const ScriptObject& object, ScriptID property, bool16 set,
                                                  ScriptData* data) {
  if (property != kParentProperty) return kScriptPropertyNotHandledError;
  if (set) return kScriptReadOnlyPropertyError;
  data->SetObject(object->GetParent());
  return kSuccess;
}

ErrorCode RepresentScriptProvider::HandleMethod(const ScriptRequest& request, ScriptData*) {
  // Counting is the layer's own work; the method itself changes nothing.
  if (request.method == kCountMethod) return kSuccess;
  return kScriptMethodNotHandledError;
}

void PrefsScriptProvider::GetScriptClasses(std::vector<ScriptID>* classes) const { classes->assign(1, class_); }

bool16 PrefsScriptProvider::AddsProperty(ScriptID parentType, ScriptID property) const {
  return property == property_ && (parentType == kDocumentScriptClass || parentType == kApplicationScriptClass);
}

// On the application the object stands for the application's workspace, on
// a document for the document's.
ErrorCode PrefsScriptProvider::AccessProperty(const ScriptObject& object, ScriptID property, bool16 set,
                                              ScriptData* data) {
  if (property != property_ || object->GetObjectType() == class_)
    return RepresentScriptProvider::AccessProperty(object, property, set, data);
  if (set) return kScriptReadOnlyPropertyError;
  UIDRef workspace;
  if (object->GetObjectType() == kDocumentScriptClass) {
    InterfacePtr<IDocument> doc(object->GetUIDRef());
    if (doc) workspace = doc->GetDocWorkspace();
  } else if (object->GetObjectType() == kApplicationScriptClass) {
    if (ISession* session = GetExecutionContextSession()) workspace = session->GetWorkspaceRef();
  }
  if (!workspace.GetDataBase()) return kScriptObjectGoneError;
  data->SetObject(std::make_shared<CScript>(class_, workspace, object));
  return kSuccess;
}
