#include "headless/scripting/HostScriptObjects.h"
#include "host/CmdUtils.h"
#include "host/IApplication.h"
#include "host/IDocument.h"
#include "host/IDocumentList.h"
#include "host/ISession.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/TextRanges.h"

namespace {
IDocumentList* Documents() {
  ISession* session = GetExecutionContextSession();
  IApplication* app = session ? session->GetApplication() : nullptr;
  return app ? app->GetDocumentList() : nullptr;
}

// The story's text without its closing paragraph return.
int32 StoryLength(const UIDRef& story) {
  InterfacePtr<ITextModel> text(story);
  return text ? text->TotalLength() - 1 : -1;
}

PMString TextOf(const UIDRef& story, TextIndex start, int32 length) {
  InterfacePtr<ITextModel> text(story);
  if (!text || start < 0 || length < 0 || TextRangeEnd(start, length) > text->TotalLength()) return PMString();
  PMString s(text->CopyText(start, length));
  s.SetTranslatable(false);
  return s;
}

ErrorCode StoryProperty(const ScriptObject& story, ScriptID property, ScriptData* data) {
  const int32 length = StoryLength(story->GetUIDRef());
  if (length < 0) return kScriptObjectGoneError;
  switch (property) {
    case kContentsProperty: data->SetString(TextOf(story->GetUIDRef(), 0, length)); return kSuccess;
    case kLengthProperty: data->SetInt(length); return kSuccess;
    case kTextObjectProperty:
      data->SetObject(std::make_shared<CTextScript>(story->GetUIDRef(), 0, length, story));
      return kSuccess;
    default: return kScriptPropertyNotHandledError;
  }
}

// Replaces the range's text as the text commands do, in one step.
ErrorCode SetText(const CTextScript& text, const ScriptData& value) {
  PMString contents;
  if (!value.GetString(&contents)) return kScriptBadValueError;
  InterfacePtr<ITextModelCmds> cmds(text.GetUIDRef());
  if (!cmds) return kScriptObjectGoneError;
  CmdUtils::SequenceContext sequence;
  if (text.GetLength() > 0) {
    InterfacePtr<ICommand> del(cmds->DeleteCmd(text.GetStart(), text.GetLength()));
    const ErrorCode code = del ? CmdUtils::ProcessCommand(del.get()) : kFailure;
    if (code != kSuccess) return code;
  }
  if (contents.IsEmpty()) return kSuccess;
  InterfacePtr<ICommand> insert(cmds->InsertCmd(text.GetStart(), contents.GetWideString()));
  return insert ? CmdUtils::ProcessCommand(insert.get()) : kFailure;
}

ErrorCode TextProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) {
  auto* text = dynamic_cast<const CTextScript*>(object.get());
  if (!text) return kScriptObjectGoneError;
  if (set) return property == kContentsProperty ? SetText(*text, *data) : kScriptReadOnlyPropertyError;
  switch (property) {
    case kContentsProperty: data->SetString(TextOf(text->GetUIDRef(), text->GetStart(), text->GetLength())); return kSuccess;
    case kIndexProperty: data->SetInt(text->GetStart()); return kSuccess;
    case kLengthProperty: data->SetInt(text->GetLength()); return kSuccess;
    case kTextObjectProperty: data->SetObject(object); return kSuccess;
    default: return kScriptPropertyNotHandledError;
  }
}

ErrorCode DocumentProperty(const ScriptObject& object, ScriptID property, ScriptData* data) {
  InterfacePtr<IDocument> doc(object->GetUIDRef());
  if (!doc) return kScriptObjectGoneError;
  if (property == kNameProperty) {
    PMString name;
    doc->GetName(&name);
    data->SetString(name);
    return kSuccess;
  }
  if (property == kFullNameProperty) {
    data->SetString(doc->GetFile().GetPathString());
    return kSuccess;
  }
  return kScriptPropertyNotHandledError;
}
// A property that can be read but is being set is read-only; one that
// cannot be read is left to others.
ErrorCode ReadOnly(bool16 set, ErrorCode read) {
  return set && read == kSuccess ? kScriptReadOnlyPropertyError : read;
}
}  // namespace

bool HostScriptObjects::IsHostClass(ScriptID cls) {
  return cls == kApplicationScriptClass || cls == kDocumentScriptClass || cls == kStoryScriptClass ||
         cls == kTextScriptClass;
}

bool HostScriptObjects::IsCollection(ScriptID parentType, ScriptID cls) {
  return (parentType == kApplicationScriptClass && cls == kDocumentScriptClass) ||
         (parentType == kDocumentScriptClass && cls == kStoryScriptClass);
}

ScriptObject HostScriptObjects::Application() {
  return std::make_shared<CScript>(kApplicationScriptClass, UIDRef(), nullptr);
}

int32 HostScriptObjects::Count(const ScriptObject& parent, ScriptID cls) {
  if (!IsCollection(parent->GetObjectType(), cls)) return 0;
  if (cls == kDocumentScriptClass) {
    IDocumentList* docs = Documents();
    return docs ? docs->GetDocCount() : 0;
  }
  InterfacePtr<IStoryList> stories(parent->GetUIDRef());
  return stories ? stories->GetStoryCount() : 0;
}

ErrorCode HostScriptObjects::Nth(const ScriptObject& parent, ScriptID cls, int32 n, ScriptObject* out) {
  if (n < 0 || n >= Count(parent, cls)) return kScriptNoSuchObjectError;
  if (cls == kDocumentScriptClass) {
    *out = std::make_shared<CScript>(cls, Documents()->GetNthDoc(n), parent);
    return kSuccess;
  }
  InterfacePtr<IStoryList> stories(parent->GetUIDRef());
  *out = std::make_shared<CScript>(cls, UIDRef(parent->GetDataBase(), stories->GetNthStoryUID(n)), parent);
  return kSuccess;
}

ErrorCode HostScriptObjects::AccessProperty(const ScriptObject& object, ScriptID property, bool16 set,
                                            ScriptData* data) {
  if (property == kParentProperty) {
    if (set) return kScriptReadOnlyPropertyError;
    data->SetObject(object->GetParent());
    return kSuccess;
  }
  ScriptData ignored;
  switch (object->GetObjectType()) {
    case kTextScriptClass: return TextProperty(object, property, set, data);
    case kStoryScriptClass: return ReadOnly(set, StoryProperty(object, property, set ? &ignored : data));
    case kDocumentScriptClass: return ReadOnly(set, DocumentProperty(object, property, set ? &ignored : data));
    default: return kScriptPropertyNotHandledError;
  }
}
