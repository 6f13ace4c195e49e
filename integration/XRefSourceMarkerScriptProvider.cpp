// Source markers ("xrsm") for scripts: a document's list, or the markers
// anchored in a story or text; found by name. Renaming, creating and
// deleting run the source-marker commands.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/RepresentScriptProvider.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefScriptUtils.h"
#include "integration/XRefScripts.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"

namespace {
using namespace XRefScriptUtils;
constexpr const char* kUntitledKey = "QX#0xF2C#kXRefUntitledSourceMarkerKey";

class XRefSourceMarkerScriptProvider : public RepresentScriptProvider {
public:
  using RepresentScriptProvider::RepresentScriptProvider;

  void GetScriptClasses(std::vector<ScriptID>* classes) const override {
    classes->assign(1, kXRefSourceMarkerScriptClass);
  }

  bool16 IsCollectionParent(ScriptID, ScriptID parentType) const override {
    return parentType == kDocumentScriptClass || parentType == kStoryScriptClass || parentType == kTextScriptClass;
  }

  int32 CountObjects(const ScriptObject& parent, ScriptID) override { return Members(parent).Length(); }

  ErrorCode AppendNthObject(const ScriptObject& parent, ScriptID, int32 n, ScriptList* objects) override {
    const UIDList members = Members(parent);
    if (n < 0 || n >= members.Length()) return kScriptNoSuchObjectError;
    objects->push_back(std::make_shared<XRefSourceMarkerScript>(members.GetRef(n), parent));
    return kSuccess;
  }

  ErrorCode AppendObjectByName(const ScriptObject& parent, ScriptID cls, const PMString& name,
                               ScriptList* objects) override {
    if (parent->GetObjectType() != kDocumentScriptClass)
      return RepresentScriptProvider::AppendObjectByName(parent, cls, name, objects);
    InterfacePtr<IXRefSourceMarkerList> list(parent->GetUIDRef());
    InterfacePtr<IXRefSourceMarker> marker(list ? list->QueryMarkerByName(name) : nullptr);
    if (!marker) return kScriptNoSuchObjectError;
    objects->push_back(std::make_shared<XRefSourceMarkerScript>(UIDRef(parent->GetDataBase(), ::GetUID(marker.get())), parent));
    return kSuccess;
  }

  ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) override {
    if (object->GetObjectType() != kXRefSourceMarkerScriptClass)
      return RepresentScriptProvider::AccessProperty(object, property, set, data);
    InterfacePtr<IXRefSourceMarker> marker(object->GetUIDRef());
    if (!marker) return kScriptObjectGoneError;
    if (set) {
      if (property == kNameProperty) return Rename(object->GetUIDRef(), *data);
      if (property == kIndexProperty || property == kXRefLocationProperty || property == kTextObjectProperty)
        return kScriptReadOnlyPropertyError;
      return RepresentScriptProvider::AccessProperty(object, property, set, data);
    }
    switch (property) {
      case kNameProperty: data->SetString(Untranslated(marker->GetMarkerName())); return kSuccess;
      case kIndexProperty: data->SetInt(marker->GetTextIndex()); return kSuccess;
      case kXRefLocationProperty:
        data->SetObject(TextObject(marker->GetStoryRef(), marker->GetTextIndex(), 1, object));
        return kSuccess;
      case kTextObjectProperty:
        // Where text typed after the marker goes.
        data->SetObject(TextObject(marker->GetStoryRef(), marker->GetTextIndex() + 1, 0, object));
        return kSuccess;
      default: return RepresentScriptProvider::AccessProperty(object, property, set, data);
    }
  }

  ErrorCode HandleMethod(const ScriptRequest& request, ScriptData* result) override {
    if (request.method == kCreateMethod) return Create(request, result);
    if (request.method != kDeleteMethod || request.target->GetObjectType() != kXRefSourceMarkerScriptClass)
      return RepresentScriptProvider::HandleMethod(request, result);
    InterfacePtr<IXRefSourceMarker> marker(request.target->GetUIDRef());
    if (!marker) return kScriptObjectGoneError;
    // Its anchor character goes, and the marker with it, as in typing.
    return DeleteText(marker->GetStoryRef(), marker->GetTextIndex(), 1);
  }

private:
  static UIDList Members(const ScriptObject& parent) {
    if (parent->GetObjectType() == kDocumentScriptClass) {
      InterfacePtr<IXRefSourceMarkerList> list(parent->GetUIDRef());
      return list ? list->GetMarkers() : UIDList(parent->GetDataBase());
    }
    UIDRef story;
    TextIndex start = 0;
    int32 length = 0;
    if (!StoryRange(parent, &story, &start, &length)) return UIDList(parent->GetDataBase());
    return OwnedItems(story, start, length, kXRefSourceMarkerBoss);
  }

  static ErrorCode Rename(const UIDRef& marker, const ScriptData& data) {
    PMString name;
    if (!data.GetString(&name) || name.IsEmpty()) return kScriptBadValueError;
    InterfacePtr<IXRefSourceMarker> self(marker);
    InterfacePtr<IXRefSourceMarkerList> list(marker.GetDataBase(), kRootUID);
    if (!self) return kScriptObjectGoneError;
    if (list && list->HasMarker(name) && !self->GetMarkerName().IsEqualNoCase(name)) return kScriptNameInUseError;
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefModifySourceMarkerCmdBoss, UIDList(marker)));
    InterfacePtr<IStringData> nameData(cmd.get(), IID_ISTRINGDATA);
    InterfacePtr<IBoolData> updateReferences(cmd.get(), IID_IBOOLDATA);
    if (!nameData || !updateReferences) return Process(nullptr);
    nameData->Set(name);
    updateReferences->Set(false);
    return Process(cmd.get());
  }

  // At the text given ("hsTx") or the text the collection is of; named
  // "pnam", or the translated untitled name.
  static ErrorCode Create(const ScriptRequest& request, ScriptData* result) {
    const auto text = CreationText(request);
    if (!text) return kScriptBadValueError;
    InterfacePtr<IXRefSourceMarkerList> list(request.target->GetDataBase(), kRootUID);
    if (!list) return kScriptObjectGoneError;
    // Names stay unique: a name given must be free; the untitled one is
    // made free.
    PMString name;
    if (!ArgString(request.args, kNameProperty, &name) || name.IsEmpty()) {
      name = PMString(kUntitledKey);
      name.Translate();
      if (list->HasMarker(name)) name = list->GetCopyName(name);
    } else if (list->HasMarker(name)) {
      return kScriptNameInUseError;
    }
    CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefInsertSourceMarkerCmdKey")};
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss, UIDList(text->GetUIDRef())));
    InterfacePtr<IRangeData> range(cmd.get(), IID_IRANGEDATA);
    InterfacePtr<IStringData> nameData(cmd.get(), IID_ISTRINGDATA);
    if (!range || !nameData) return Process(nullptr);
    range->Set(text->GetStart(), text->GetLength());
    nameData->Set(name);
    const ErrorCode code = Process(cmd.get());
    if (code != kSuccess) return code;
    if (cmd->GetItemList()->Length() != 1) return Process(nullptr);
    result->SetObject(std::make_shared<XRefSourceMarkerScript>(cmd->GetItemList()->GetRef(0), request.target));
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSourceMarkerScriptProvider, kXRefSourceMarkerScriptProviderImpl);
