// Cross-references ("xrcr") for scripts: all of a document's in list order,
// or those whose start marker lies in a story or text. Changes run the
// cross-reference commands; creating one wires it up without composing it,
// so that a script decides when to update.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/IDFile.h"
#include "host/InterfacePtr.h"
#include "host/RepresentScriptProvider.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefCrossRefCreation.h"
#include "integration/XRefScriptUtils.h"
#include "integration/XRefScripts.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/IXRefFormatData.h"
#include "model/XRefModelID.h"

namespace {
using namespace XRefScriptUtils;

class XRefCrossRefScriptProvider : public RepresentScriptProvider {
public:
  using RepresentScriptProvider::RepresentScriptProvider;

  void GetScriptClasses(std::vector<ScriptID>* classes) const override { classes->assign(1, kXRefCrossRefScriptClass); }

  bool16 IsCollectionParent(ScriptID, ScriptID parentType) const override {
    return parentType == kDocumentScriptClass || parentType == kStoryScriptClass || parentType == kTextScriptClass;
  }

  int32 CountObjects(const ScriptObject& parent, ScriptID) override { return Members(parent).Length(); }

  ErrorCode AppendNthObject(const ScriptObject& parent, ScriptID, int32 n, ScriptList* objects) override {
    const UIDList members = Members(parent);
    if (n < 0 || n >= members.Length()) return kScriptNoSuchObjectError;
    objects->push_back(std::make_shared<XRefCrossRefScript>(members.GetRef(n), parent));
    return kSuccess;
  }

  ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) override {
    if (object->GetObjectType() != kXRefCrossRefScriptClass)
      return RepresentScriptProvider::AccessProperty(object, property, set, data);
    InterfacePtr<IXRefCrossRef> crossRef(object->GetUIDRef());
    if (!crossRef) return kScriptObjectGoneError;
    if (set) return Set(object, crossRef.get(), property, *data);
    switch (property) {
      case kTextObjectProperty:
        data->SetObject(TextObject(crossRef->GetStoryRef(), crossRef->GetStartIndex(), crossRef->GetTextLength(), object));
        return kSuccess;
      case kContentsProperty: data->SetString(Untranslated(crossRef->GetCurrentText(false))); return kSuccess;
      case kIndexProperty: data->SetInt(crossRef->GetStartIndex() - 1); return kSuccess;
      case kXRefCompositionStateProperty: data->SetString(crossRef->GetCompositionStateMessage()); return kSuccess;
      case kXRefSourceStateProperty: data->SetString(crossRef->GetSourceStateMessage()); return kSuccess;
      case kXRefFormatNameProperty: data->SetString(Untranslated(crossRef->GetFormatName())); return kSuccess;
      case kXRefFormatStringProperty: data->SetString(Untranslated(crossRef->GetFormatString())); return kSuccess;
      case kXRefSourceMarkerNameProperty: data->SetString(Untranslated(crossRef->GetSourceMarkerName())); return kSuccess;
      case kXRefSourceFileProperty:
        data->SetString(Untranslated(crossRef->GetSourceDocument().GetPathString()));
        return kSuccess;
      case kXRefCompositionFailedProperty: data->SetBool(crossRef->IsCompositionFailed()); return kSuccess;
      case kXRefSourceBrokenProperty: data->SetBool(crossRef->IsSourceBroken()); return kSuccess;
      case kXRefLocationProperty: return Location(object, crossRef.get(), data);
      case kXRefStartMarkerProperty: return Marker(object, crossRef->GetStartMarker(), true, data);
      case kXRefEndMarkerProperty: return Marker(object, crossRef->GetEndMarker(), false, data);
      default: return RepresentScriptProvider::AccessProperty(object, property, set, data);
    }
  }

  ErrorCode HandleMethod(const ScriptRequest& request, ScriptData* result) override {
    if (request.method == kCreateMethod) return XRefCrossRefCreation::Create(request, result);
    if (request.target->GetObjectType() != kXRefCrossRefScriptClass) return RepresentScriptProvider::HandleMethod(request, result);
    InterfacePtr<IXRefCrossRef> crossRef(request.target->GetUIDRef());
    if (!crossRef && request.method != kCountMethod) return kScriptObjectGoneError;
    switch (request.method) {
      case kXRefUpdateMethod: return Update(request.target->GetUIDRef());
      case kXRefConvertToTextMethod: {
        InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefConvertCrossRefToTextCmdBoss, UIDList(request.target->GetUIDRef())));
        return Process(cmd.get());
      }
      case kDeleteMethod: return Delete(request.target->GetUIDRef(), crossRef.get());
      default: return RepresentScriptProvider::HandleMethod(request, result);
    }
  }

private:
  // Those of the document's list, or those whose start marker lies in the
  // story or text: one whose start marker lies elsewhere is not counted.
  static UIDList Members(const ScriptObject& parent) {
    if (parent->GetObjectType() == kDocumentScriptClass) {
      InterfacePtr<IXRefCrossRefList> list(parent->GetUIDRef());
      return list ? list->GetCrossRefs() : UIDList(parent->GetDataBase());
    }
    UIDRef story;
    TextIndex start = 0;
    int32 length = 0;
    UIDList crossRefs(parent->GetDataBase());
    if (!StoryRange(parent, &story, &start, &length)) return crossRefs;
    const UIDList markers = OwnedItems(story, start, length, kXRefCrossRefStartMarkerBoss);
    for (int32 i = 0; i < markers.Length(); ++i) {
      InterfacePtr<IXRefCrossRefTextMarker> marker(markers.GetRef(i));
      if (marker && marker->GetMarkerCrossRef() != kInvalidUID) crossRefs.Append(marker->GetMarkerCrossRef());
    }
    return crossRefs;
  }

  static ErrorCode Location(const ScriptObject& object, IXRefCrossRef* crossRef, ScriptData* data) {
    if (crossRef->GetStartMarker() == kInvalidUID || crossRef->GetEndMarker() == kInvalidUID) {
      data->SetObject(nullptr);
      return kSuccess;
    }
    const TextIndex from = crossRef->GetStartIndex() - 1;
    data->SetObject(TextObject(crossRef->GetStoryRef(), from, crossRef->GetEndIndex() - from, object));
    return kSuccess;
  }

  static ErrorCode Marker(const ScriptObject& object, UID marker, bool start, ScriptData* data) {
    if (marker == kInvalidUID) {
      data->SetObject(nullptr);
      return kSuccess;
    }
    const UIDRef ref(object->GetDataBase(), marker);
    if (start) data->SetObject(std::make_shared<XRefCrossRefStartMarkerScript>(ref, object));
    else data->SetObject(std::make_shared<XRefCrossRefEndMarkerScript>(ref, object));
    return kSuccess;
  }

  static ErrorCode Set(const ScriptObject& object, IXRefCrossRef* crossRef, ScriptID property, const ScriptData& data) {
    const UIDRef ref = object->GetUIDRef();
    PMString text;
    switch (property) {
      case kXRefFormatNameProperty:
        // A named format takes its mark-up from the document's list.
        if (!data.GetString(&text)) return kScriptBadValueError;
        return SetFormat(ref, text, PMString());
      case kXRefFormatStringProperty:
        // New mark-up makes it the cross-reference's own format.
        if (!data.GetString(&text)) return kScriptBadValueError;
        return SetFormat(ref, PMString(), text);
      case kXRefSourceMarkerNameProperty:
        if (!data.GetString(&text)) return kScriptBadValueError;
        return SetSource(ref, crossRef->GetSourceDocument(), text);
      case kXRefSourceFileProperty:
        if (!data.GetString(&text)) return kScriptBadValueError;
        return SetSource(ref, IDFile(text.GetUTF8String()), crossRef->GetSourceMarkerName());
      case kXRefStartMarkerProperty:
      case kXRefEndMarkerProperty: return SetMarker(object, crossRef, property == kXRefStartMarkerProperty, data);
      case kTextObjectProperty:
      case kContentsProperty:
      case kIndexProperty:
      case kXRefCompositionStateProperty:
      case kXRefSourceStateProperty:
      case kXRefCompositionFailedProperty:
      case kXRefSourceBrokenProperty:
      case kXRefLocationProperty:
      case kParentProperty: return kScriptReadOnlyPropertyError;
      default: return kScriptPropertyNotHandledError;
    }
  }

  static ErrorCode SetFormat(const UIDRef& crossRef, const PMString& name, const PMString& format) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetCrossRefFormatCmdBoss, UIDList(crossRef)));
    InterfacePtr<IXRefFormatData> data(cmd.get(), IID_IXREFFORMATDATA);
    if (!data) return Process(nullptr);
    data->SetFormatData(name, format);
    return Process(cmd.get());
  }

  static ErrorCode SetSource(const UIDRef& crossRef, const IDFile& file, const PMString& name) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetCrossRefSourceMarkerCmdBoss, UIDList(crossRef)));
    InterfacePtr<IFileData> fileData(cmd.get(), IID_IFILEDATA);
    InterfacePtr<IStringData> nameData(cmd.get(), IID_ISTRINGDATA);
    if (!fileData || !nameData) return Process(nullptr);
    fileData->Set(file);
    nameData->Set(name);
    return Process(cmd.get());
  }

  // The marker given replaces one of the two; the other stays.
  static ErrorCode SetMarker(const ScriptObject& object, IXRefCrossRef* crossRef, bool start, const ScriptData& data) {
    const ScriptID wanted = start ? kXRefStartMarkerScriptClass : kXRefEndMarkerScriptClass;
    const ScriptObject& marker = data.GetObject();
    if (data.GetType() != ScriptData::kObject || !marker || marker->GetObjectType() != wanted ||
        marker->GetDataBase() != object->GetDataBase())
      return kScriptBadValueError;
    const ErrorCode taken = RefuseMarkerOfAnother(marker->GetUIDRef(), object->GetUIDRef().GetUID());
    if (taken != kSuccess) return taken;
    IDataBase* db = object->GetDataBase();
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetCrossRefTextMarkersCmdBoss, UIDList(object->GetUIDRef())));
    InterfacePtr<IUIDData> startData(cmd.get(), IID_IXREFSTARTMARKERDATA);
    InterfacePtr<IUIDData> endData(cmd.get(), IID_IXREFENDMARKERDATA);
    if (!startData || !endData) return Process(nullptr);
    startData->Set(start ? marker->GetUIDRef() : UIDRef(db, crossRef->GetStartMarker()));
    endData->Set(start ? UIDRef(db, crossRef->GetEndMarker()) : marker->GetUIDRef());
    return Process(cmd.get());
  }

  static ErrorCode Update(const UIDRef& crossRef) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss, UIDList(crossRef)));
    InterfacePtr<IBoolData> live(cmd.get(), IID_IBOOLDATA);
    if (live) live->Set(false);
    return Process(cmd.get());
  }

  // Deleting its characters deletes it as deleting text would; one without
  // its markers is deleted as an object.
  static ErrorCode Delete(const UIDRef& ref, IXRefCrossRef* crossRef) {
    if (crossRef->GetStartMarker() != kInvalidUID && crossRef->GetEndMarker() != kInvalidUID) {
      const TextIndex from = crossRef->GetStartIndex() - 1;
      return DeleteText(crossRef->GetStoryRef(), from, crossRef->GetEndIndex() + 1 - from);
    }
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefDeleteCrossRefCmdBoss, UIDList(ref)));
    return Process(cmd.get());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCrossRefScriptProvider, kXRefCrossRefScriptProviderImpl);
