// Start ("xrts") and end ("xrte") markers of cross-references for scripts:
// those anchored in a document's stories, a story or a text. Their
// cross-reference and partner are set with the marker set-up command; a
// start marker is created as a new object anchored at the text given.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/IStoryList.h"
#include "host/InterfacePtr.h"
#include "host/RepresentScriptProvider.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextIDs.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefScriptUtils.h"
#include "integration/XRefScripts.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefModelID.h"

namespace {
using namespace XRefScriptUtils;

ClassID MarkerClass(ScriptID cls) {
  return cls == kXRefStartMarkerScriptClass ? kXRefCrossRefStartMarkerBoss : kXRefCrossRefEndMarkerBoss;
}

ScriptObject MarkerObject(ScriptID cls, const UIDRef& marker, const ScriptObject& parent) {
  if (cls == kXRefStartMarkerScriptClass) return std::make_shared<XRefCrossRefStartMarkerScript>(marker, parent);
  return std::make_shared<XRefCrossRefEndMarkerScript>(marker, parent);
}

class XRefCrossRefTextMarkerScriptProvider : public RepresentScriptProvider {
public:
  using RepresentScriptProvider::RepresentScriptProvider;

  void GetScriptClasses(std::vector<ScriptID>* classes) const override {
    *classes = {kXRefStartMarkerScriptClass, kXRefEndMarkerScriptClass};
  }

  bool16 IsCollectionParent(ScriptID, ScriptID parentType) const override {
    return parentType == kDocumentScriptClass || parentType == kStoryScriptClass || parentType == kTextScriptClass;
  }

  int32 CountObjects(const ScriptObject& parent, ScriptID cls) override { return Members(parent, cls).Length(); }

  ErrorCode AppendNthObject(const ScriptObject& parent, ScriptID cls, int32 n, ScriptList* objects) override {
    const UIDList members = Members(parent, cls);
    if (n < 0 || n >= members.Length()) return kScriptNoSuchObjectError;
    objects->push_back(MarkerObject(cls, members.GetRef(n), parent));
    return kSuccess;
  }

  ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) override {
    const ScriptID cls = object->GetObjectType();
    const bool marker = cls == kXRefStartMarkerScriptClass || cls == kXRefEndMarkerScriptClass;
    if (!marker || (property != kXRefMarkerCrossRefProperty && property != kXRefPartnerMarkerProperty))
      return RepresentScriptProvider::AccessProperty(object, property, set, data);
    InterfacePtr<IXRefCrossRefTextMarker> textMarker(object->GetUIDRef());
    if (!textMarker) return kScriptObjectGoneError;
    if (set) return Setup(object, textMarker.get(), property, *data);
    IDataBase* db = object->GetDataBase();
    const UID target = property == kXRefMarkerCrossRefProperty ? textMarker->GetMarkerCrossRef() : textMarker->GetPartnerMarker();
    if (target == kInvalidUID) data->SetObject(nullptr);
    else if (property == kXRefMarkerCrossRefProperty) data->SetObject(std::make_shared<XRefCrossRefScript>(UIDRef(db, target), object));
    else data->SetObject(MarkerObject(cls == kXRefStartMarkerScriptClass ? kXRefEndMarkerScriptClass : kXRefStartMarkerScriptClass,
                                      UIDRef(db, target), object));
    return kSuccess;
  }

  ErrorCode HandleMethod(const ScriptRequest& request, ScriptData* result) override {
    if (request.method == kCreateMethod && request.objectClass == kXRefStartMarkerScriptClass) return Create(request, result);
    return RepresentScriptProvider::HandleMethod(request, result);
  }

private:
  static UIDList Members(const ScriptObject& parent, ScriptID cls) {
    UIDList markers(parent->GetDataBase());
    if (parent->GetObjectType() != kDocumentScriptClass) {
      UIDRef story;
      TextIndex start = 0;
      int32 length = 0;
      if (StoryRange(parent, &story, &start, &length)) markers = OwnedItems(story, start, length, MarkerClass(cls));
      return markers;
    }
    InterfacePtr<IStoryList> stories(parent->GetUIDRef());
    for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i)
      markers.Append(OwnedItems(UIDRef(parent->GetDataBase(), stories->GetNthStoryUID(i)), 0, 0x7FFFFFFF, MarkerClass(cls)));
    return markers;
  }

  // The marker keeps what is not being set.
  static ErrorCode Setup(const ScriptObject& object, IXRefCrossRefTextMarker* marker, ScriptID property,
                         const ScriptData& data) {
    const ScriptObject& value = data.GetObject();
    const ScriptID wanted = property == kXRefMarkerCrossRefProperty ? kXRefCrossRefScriptClass
                            : object->GetObjectType() == kXRefStartMarkerScriptClass ? kXRefEndMarkerScriptClass
                                                                                    : kXRefStartMarkerScriptClass;
    if (data.GetType() != ScriptData::kObject || !value || value->GetObjectType() != wanted ||
        value->GetDataBase() != object->GetDataBase())
      return kScriptBadValueError;
    IDataBase* db = object->GetDataBase();
    const UIDRef crossRef = property == kXRefMarkerCrossRefProperty ? value->GetUIDRef() : UIDRef(db, marker->GetMarkerCrossRef());
    const UIDRef partner = property == kXRefPartnerMarkerProperty ? value->GetUIDRef() : UIDRef(db, marker->GetPartnerMarker());
    // Neither this marker nor its new partner may be taken from another.
    const ErrorCode taken = property == kXRefMarkerCrossRefProperty
                                ? RefuseMarkerOfAnother(object->GetUIDRef(), crossRef.GetUID())
                                : RefuseMarkerOfAnother(partner, crossRef.GetUID());
    if (taken != kSuccess) return taken;
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetupCrossRefTextMarkerCmdBoss, UIDList(object->GetUIDRef())));
    InterfacePtr<IUIDData> crossRefData(cmd.get(), IID_IXREFCROSSREFDATA);
    InterfacePtr<IUIDData> partnerData(cmd.get(), IID_IXREFPARTNERMARKERDATA);
    if (!crossRefData || !partnerData) return Process(nullptr);
    crossRefData->Set(crossRef);
    partnerData->Set(partner);
    return Process(cmd.get());
  }

  // A new start marker anchored at the first character of the text given
  // ("hsTx", or the text the collection is of).
  static ErrorCode Create(const ScriptRequest& request, ScriptData* result) {
    const auto text = CreationText(request);
    if (!text) return kScriptBadValueError;
    const ErrorCode marked = RefuseMarkedCharacter(text->GetUIDRef(), text->GetStart());
    if (marked != kSuccess) return marked;
    CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefInsertCrossRefCmdKey")};
    InterfacePtr<ICommand> make(XRefCommandUtils::CreateCommand(kNewObjectCmdBoss, UIDList(text->GetDataBase())));
    InterfacePtr<IClassIDData> cls(make.get(), IID_ICLASSIDDATA);
    if (!cls) return Process(nullptr);
    cls->Set(kXRefCrossRefStartMarkerBoss);
    ErrorCode code = Process(make.get());
    if (code != kSuccess) return code;
    if (make->GetItemList()->Length() != 1) return Process(nullptr);
    const UIDRef marker = make->GetItemList()->GetRef(0);
    InterfacePtr<ICommand> anchor(XRefCommandUtils::CreateCommand(kXRefSetOwnedItemCmdBoss, UIDList(text->GetUIDRef())));
    InterfacePtr<IUIDData> object(anchor.get(), IID_IUIDDATA);
    InterfacePtr<IIntData> index(anchor.get(), IID_IINTDATA);
    InterfacePtr<IClassIDData> kind(anchor.get(), IID_ICLASSIDDATA);
    if (!object || !index || !kind) return Process(nullptr);
    object->Set(marker);
    index->Set(text->GetStart());
    kind->Set(kXRefCrossRefStartMarkerBoss);
    code = Process(anchor.get());
    if (code != kSuccess) return code;
    result->SetObject(MarkerObject(kXRefStartMarkerScriptClass, marker, request.target));
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCrossRefTextMarkerScriptProvider, kXRefCrossRefTextMarkerScriptProviderImpl);
