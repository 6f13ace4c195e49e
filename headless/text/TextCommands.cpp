#include "headless/text/TextCommands.h"
#include "headless/text/StoryEditor.h"
#include "headless/text/TextClipboard.h"
#include "host/CmdUtils.h"
#include "host/IAttributeListData.h"
#include "host/IOwnedItem.h"
#include "host/IStoryLock.h"
#include "host/ITextHolder.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextRanges.h"
#include <vector>

bool TextCommand::Target(UIDRef* story, TextIndex* start, int32* length) {
  const UIDList* items = GetItemList();
  InterfacePtr<IRangeData> range(this, IID_IRANGEDATA);
  InterfacePtr<IStoryLock> lock(items->Length() == 1 ? items->GetRef(0) : UIDRef(), IID_ISTORYLOCK);
  if (!range || !lock) {
    Report(kInvalidParameterError);
    return false;
  }
  if (lock->IsLocked()) {
    Report(kStoryLockedError);
    return false;
  }
  *story = items->GetRef(0);
  *start = range->Start();
  *length = range->Length();
  return true;
}

void TextCommand::Report(ErrorCode e) {
  if (e != kSuccess) ErrorUtils::PMSetGlobalErrorCode(e);
}

void InsertTextCmd::Do() {
  UIDRef story;
  TextIndex start;
  int32 length;
  InterfacePtr<IWideStringData> text(this, IID_IWIDESTRINGDATA);
  if (!Target(&story, &start, &length)) return;
  if (!text) return Report(kInvalidParameterError);
  Report(StoryEditor(story).Insert(start, text->Get().Units()));
}

namespace {
// Holders whose whole range the deletion takes and that go with their text
// are deleted first; collected before any goes, since each leaves the list.
bool DeleteHoldersWithText(const UIDRef& story, TextIndex start, int32 length) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextHolderList> list(db, kRootUID, IID_ITEXTHOLDERLIST);
  if (!list) return true;
  std::vector<UID> going;
  for (int32 i = 0; i < list->GetHolderCount(); ++i) {
    InterfacePtr<ITextHolder> holder(db, list->GetNthHolder(i), IID_ITEXTHOLDER);
    if (!holder || holder->GetStoryUID() != story.GetUID() || holder->GetLength() <= 0) continue;
    if (holder->GetStart() >= start && holder->GetEnd() <= TextRangeEnd(start, length))
      going.push_back(list->GetNthHolder(i));
  }
  for (UID uid : going) {
    InterfacePtr<ITextHolder> holder(db, uid, IID_ITEXTHOLDER);
    InterfacePtr<ICommand> cmd(holder ? holder->QueryDeleteWithTextCommand() : nullptr);
    if (cmd && CmdUtils::ProcessCommand(cmd.get()) != kSuccess) return false;
  }
  return true;
}
}  // namespace

void DeleteTextCmd::Do() {
  UIDRef story;
  TextIndex start;
  int32 length;
  if (!Target(&story, &start, &length)) return;
  StoryEditor editor(story);
  if (!editor.IsValid() || length <= 0 || start < 0 || length > editor.Length() - 1 - start)
    return Report(kTextRangeError);
  // Each owned item anchored in the range deletes itself first. Its command
  // must leave this story's text alone, or the range would no longer hold.
  const int32 before = editor.Length();
  for (const OwnedItemInfo& info : editor.OwnedItems()->GetOwnedItems(start, length)) {
    InterfacePtr<IOwnedItem> item(story.GetDataBase(), info.uid, IID_IOWNEDITEM);
    InterfacePtr<ICommand> cmd(item ? item->QueryDeleteCommand() : nullptr);
    if (cmd && CmdUtils::ProcessCommand(cmd.get()) != kSuccess) return;
  }
  if (!DeleteHoldersWithText(story, start, length)) return;
  if (editor.Length() != before) return Report(kTextRangeError);
  Report(editor.Delete(start, length));
}

void ApplyCharStyleCmd::Do() {
  EditRange<IUIDData>(IID_IUIDDATA, [](const UIDRef& story, TextIndex start, int32 length, IUIDData* style) {
    return StoryEditor(story).ApplyCharStyle(start, length, style->GetUID());
  });
}

void ApplyTextAttrCmd::Do() {
  EditRange<IAttributeListData>(IID_IATTRIBUTELISTDATA,
                                [](const UIDRef& story, TextIndex start, int32 length, IAttributeListData* attrs) {
                                  return StoryEditor(story).ApplyAttributes(start, length, attrs->Get());
                                });
}

void ApplyParaStyleCmd::Do() {
  EditRange<IUIDData>(IID_IUIDDATA, [](const UIDRef& story, TextIndex start, int32 length, IUIDData* style) {
    return StoryEditor(story).ApplyParaStyle(start, length, style->GetUID());
  });
}

void SetNumberingCmd::Do() {
  EditRange<IIntData>(IID_IINTDATA, [](const UIDRef& story, TextIndex start, int32 length, IIntData* kind) {
    return StoryEditor(story).SetNumbering(start, length, kind->Get());
  });
}

void PasteTextCmd::Do() {
  UIDRef story;
  TextIndex start;
  int32 length;
  if (!Target(&story, &start, &length)) return;
  if (length != 0) return Report(kTextRangeError);
  Report(TextClipboard::PasteInto(story, start));
}

void MoveTextCmd::Do() {
  UIDRef story;
  TextIndex start;
  int32 length;
  InterfacePtr<IUIDData> destination(this, IID_IUIDDATA);
  InterfacePtr<IIntData> at(this, IID_IINTDATA);
  if (!Target(&story, &start, &length)) return;
  if (!destination || !at) return Report(kInvalidParameterError);
  if (destination->GetItemDataBase() != story.GetDataBase()) return Report(kInvalidParameterError);
  InterfacePtr<IStoryLock> lock(destination->GetRef(), IID_ISTORYLOCK);
  if (!lock) return Report(kInvalidParameterError);  // not a story
  if (lock->IsLocked()) return Report(kStoryLockedError);
  Report(TextClipboard::Move(story, start, length, destination->GetRef(), at->Get()));
}

void NewStoryCmd::Do() {
  IDataBase* db = GetItemList()->GetDataBase();
  UID story = StoryEditor::NewStory(db);
  SetItemList(UIDList(db));
  if (story == kInvalidUID) return ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
  GetItemListReference().Append(story);
}
