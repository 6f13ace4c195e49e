// Formats ("xrft") for scripts: proxies named by their format's name in the
// document's list (on its workspace). Changes run the format commands; a
// renamed format's proxy follows it to its new name.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/InterfacePtr.h"
#include "host/RepresentScriptProvider.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefScriptUtils.h"
#include "integration/XRefScripts.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"
#include "model/XRefModelID.h"

namespace {
using namespace XRefScriptUtils;
constexpr const char* kUntitledKey = "QX#0xF2C#kXRefUntitledFormatKey";

UIDRef WorkspaceOf(const ScriptObject& object) {
  ScriptObject doc = DocumentOf(object);
  InterfacePtr<IDocument> document(doc ? doc->GetUIDRef() : UIDRef());
  return document ? document->GetDocWorkspace() : UIDRef();
}

class XRefFormatScriptProvider : public RepresentScriptProvider {
public:
  using RepresentScriptProvider::RepresentScriptProvider;

  void GetScriptClasses(std::vector<ScriptID>* classes) const override { classes->assign(1, kXRefFormatScriptClass); }

  bool16 IsCollectionParent(ScriptID, ScriptID parentType) const override {
    return parentType == kDocumentScriptClass;
  }

  int32 CountObjects(const ScriptObject& parent, ScriptID) override {
    InterfacePtr<IXRefFormats> formats(WorkspaceOf(parent));
    return formats ? formats->GetFormatCount() : 0;
  }

  ErrorCode AppendNthObject(const ScriptObject& parent, ScriptID, int32 n, ScriptList* objects) override {
    InterfacePtr<IXRefFormats> formats(WorkspaceOf(parent));
    if (!formats || n < 0 || n >= formats->GetFormatCount()) return kScriptNoSuchObjectError;
    objects->push_back(std::make_shared<XRefFormatScript>(formats->GetFormatName(n), parent));
    return kSuccess;
  }

  ErrorCode AppendObjectByName(const ScriptObject& parent, ScriptID, const PMString& name, ScriptList* objects) override {
    InterfacePtr<IXRefFormats> formats(WorkspaceOf(parent));
    const int32 index = formats ? formats->FindFormat(name) : -1;
    if (index < 0) return kScriptNoSuchObjectError;
    objects->push_back(std::make_shared<XRefFormatScript>(formats->GetFormatName(index), parent));
    return kSuccess;
  }

  ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) override {
    auto* proxy = dynamic_cast<const XRefFormatScript*>(object.get());
    if (!proxy) return RepresentScriptProvider::AccessProperty(object, property, set, data);
    const UIDRef workspace = WorkspaceOf(object);
    InterfacePtr<IXRefFormats> formats(workspace);
    const int32 index = formats ? formats->FindFormat(proxy->GetName()) : -1;
    if (index < 0) return kScriptObjectGoneError;
    const bool name = property == kXRefFormatNameProperty || property == kNameProperty;
    if (!name && property != kXRefFormatStringProperty)
      return RepresentScriptProvider::AccessProperty(object, property, set, data);
    PMString formatName = formats->GetFormatName(index), format = formats->GetFormatString(index);
    if (!set) {
      data->SetString(Untranslated(name ? formatName : format));
      return kSuccess;
    }
    PMString value;
    if (!data->GetString(&value) || (name && value.IsEmpty())) return kScriptBadValueError;
    // Format names stay unique, ignoring case.
    const int32 holder = name ? formats->FindFormat(value) : -1;
    if (holder >= 0 && holder != index) return kScriptNameInUseError;
    (name ? formatName : format) = value;
    const ErrorCode code = Modify(workspace, index, formatName, format);
    if (code == kSuccess) proxy->Rename(formatName);
    return code;
  }

  ErrorCode HandleMethod(const ScriptRequest& request, ScriptData* result) override {
    if (request.method == kCreateMethod) return Create(request, result);
    auto* proxy = dynamic_cast<const XRefFormatScript*>(request.target.get());
    if (request.method != kDeleteMethod || !proxy) return RepresentScriptProvider::HandleMethod(request, result);
    const UIDRef workspace = WorkspaceOf(request.target);
    InterfacePtr<IXRefFormats> formats(workspace);
    const int32 index = formats ? formats->FindFormat(proxy->GetName()) : -1;
    if (index < 0) return kScriptObjectGoneError;
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefDeleteFormatCmdBoss, UIDList(workspace)));
    InterfacePtr<IIntData> indexData(cmd.get(), IID_IINTDATA);
    if (!indexData) return Process(nullptr);
    indexData->Set(index);
    return Process(cmd.get());
  }

private:
  static ErrorCode Modify(const UIDRef& workspace, int32 index, const PMString& name, const PMString& format) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefModifyFormatCmdBoss, UIDList(workspace)));
    InterfacePtr<IXRefFormatData> data(cmd.get(), IID_IXREFFORMATDATA);
    InterfacePtr<IIntData> indexData(cmd.get(), IID_IINTDATA);
    if (!data || !indexData) return Process(nullptr);
    data->SetFormatData(name, format);
    indexData->Set(index);
    return Process(cmd.get());
  }

  // Named "xrfn" (made unique), or the translated untitled name.
  static ErrorCode Create(const ScriptRequest& request, ScriptData* result) {
    const UIDRef workspace = WorkspaceOf(request.target);
    InterfacePtr<IXRefFormats> formats(workspace);
    if (!formats) return kScriptObjectGoneError;
    PMString name, format;
    if (!ArgString(request.args, kXRefFormatNameProperty, &name) || name.IsEmpty()) {
      name = PMString(kUntitledKey);
      name.Translate();
    }
    ArgString(request.args, kXRefFormatStringProperty, &format);
    name = Untranslated(formats->GetUniqueFormatName(name));
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefAddFormatCmdBoss, UIDList(workspace)));
    InterfacePtr<IXRefFormatData> data(cmd.get(), IID_IXREFFORMATDATA);
    if (!data) return Process(nullptr);
    data->SetFormatData(name, format);
    const ErrorCode code = Process(cmd.get());
    if (code != kSuccess) return code;
    result->SetObject(std::make_shared<XRefFormatScript>(name, request.target));
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefFormatScriptProvider, kXRefFormatScriptProviderImpl);
