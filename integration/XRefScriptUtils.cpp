#include "integration/XRefScriptUtils.h"
#include "host/CmdUtils.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/ScriptIDs.h"
#include "host/TextIDs.h"
#include "integration/XRefScriptID.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefModelID.h"

bool XRefScriptUtils::StoryRange(const ScriptObject& parent, UIDRef* story, TextIndex* start, int32* length) {
  if (!parent) return false;
  if (parent->GetObjectType() == kStoryScriptClass) {
    InterfacePtr<ITextModel> text(parent->GetUIDRef());
    if (!text) return false;
    *story = parent->GetUIDRef();
    *start = 0;
    *length = text->TotalLength();
    return true;
  }
  auto* text = dynamic_cast<const CTextScript*>(parent.get());
  if (!text) return false;
  *story = text->GetUIDRef();
  *start = text->GetStart();
  *length = text->GetLength();
  return true;
}

UIDList XRefScriptUtils::OwnedItems(const UIDRef& story, TextIndex start, int32 length, ClassID cls) {
  UIDList items(story.GetDataBase());
  InterfacePtr<ITextModel> text(story);
  if (!text) return items;
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  if (!strand) return items;
  for (const OwnedItemInfo& item : strand->GetOwnedItems(start, length))
    if (item.cls == cls) items.Append(item.uid);
  return items;
}

ErrorCode XRefScriptUtils::RefuseMarkerOfAnother(const UIDRef& marker, UID crossRef) {
  InterfacePtr<IXRefCrossRefTextMarker> textMarker(marker);
  const UID owner = textMarker ? textMarker->GetMarkerCrossRef() : kInvalidUID;
  if (owner == kInvalidUID || owner == crossRef) return kSuccess;
  ErrorUtils::PMSetGlobalErrorCode(kXRefMarkerInUseError);
  return kXRefMarkerInUseError;
}

ErrorCode XRefScriptUtils::RefuseMarkedCharacter(const UIDRef& story, TextIndex at) {
  for (ClassID cls : {kXRefSourceMarkerBoss, kXRefCrossRefStartMarkerBoss, kXRefCrossRefEndMarkerBoss}) {
    if (OwnedItems(story, at, 1, cls).IsEmpty()) continue;
    ErrorUtils::PMSetGlobalErrorCode(kXRefCharacterHasMarkerError);
    return kXRefCharacterHasMarkerError;
  }
  return kSuccess;
}

ScriptObject XRefScriptUtils::TextObject(const UIDRef& story, TextIndex start, int32 length,
                                         const ScriptObject& parent) {
  return std::make_shared<CTextScript>(story, start, length, parent);
}

ScriptObject XRefScriptUtils::DocumentOf(const ScriptObject& object) {
  for (ScriptObject at = object; at; at = at->GetParent())
    if (at->GetObjectType() == kDocumentScriptClass) return at;
  return nullptr;
}

bool XRefScriptUtils::ArgString(const ScriptArgs& args, ScriptID code, PMString* value) {
  auto it = args.find(code);
  return it != args.end() && it->second.GetString(value);
}

bool XRefScriptUtils::ArgObject(const ScriptArgs& args, ScriptID code, ScriptObject* value) {
  auto it = args.find(code);
  if (it == args.end() || it->second.GetType() != ScriptData::kObject || !it->second.GetObject()) return false;
  *value = it->second.GetObject();
  return true;
}

std::shared_ptr<const CTextScript> XRefScriptUtils::CreationText(const ScriptRequest& request) {
  ScriptObject where;
  if (!ArgObject(request.args, kTextObjectProperty, &where)) where = request.target;
  auto text = std::dynamic_pointer_cast<const CTextScript>(where);
  if (!text || text->GetDataBase() != request.target->GetDataBase()) return nullptr;
  return text;
}

ErrorCode XRefScriptUtils::Process(ICommand* cmd) {
  if (!cmd) {
    ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
    return kInvalidParameterError;
  }
  return CmdUtils::ProcessCommand(cmd);
}

PMString XRefScriptUtils::Untranslated(const PMString& s) {
  PMString copy(s);
  copy.SetTranslatable(false);
  return copy;
}

ErrorCode XRefScriptUtils::DeleteText(const UIDRef& story, TextIndex start, int32 length) {
  InterfacePtr<ITextModelCmds> cmds(story);
  if (!cmds) return kObjectNotFoundError;
  InterfacePtr<ICommand> del(cmds->DeleteCmd(start, length));
  return Process(del.get());
}
