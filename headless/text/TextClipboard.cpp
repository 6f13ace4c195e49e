#include "headless/text/TextClipboard.h"
#include "headless/text/AttrReports.h"
#include <algorithm>
#include "headless/text/StoryEditor.h"
#include "headless/text/WorkspaceRecords.h"
#include "host/CmdUtils.h"
#include "host/IOwnedItem.h"
#include <memory>
#include <vector>

namespace {
struct ClippedItem {
  int32 offset;
  ClassID cls;
  InterfacePtr<IOwnedItemMemento> memento;
};

// Invariant: the run lengths add up to the text's length; each paragraph
// end's offset holds a return in the text.
struct TextClipping {
  IDataBase* source = nullptr;  // null once that document closed
  std::u16string units;
  std::vector<std::pair<int32, CharAttrs>> runs;
  std::vector<std::pair<int32, ParaAttrs>> paragraphEnds;
  std::vector<ClippedItem> items;
  WorkspaceRecords records;
};

std::shared_ptr<TextClipping>& Current() {
  static std::shared_ptr<TextClipping> clipping;
  return clipping;
}
}  // namespace

ErrorCode TextClipboard::Copy(const UIDRef& story, TextIndex start, int32 length) {
  StoryEditor editor(story);
  if (!editor.IsValid() || start < 0 || length <= 0 || length > editor.Length() - start) return kTextRangeError;
  auto clip = std::make_shared<TextClipping>();
  IDataBase* db = story.GetDataBase();
  clip->source = db;
  editor.Text()->Text().Copy(start, length, &clip->units);
  editor.CharacterAttributes()->ForEachRun(start, length, [&](int32, int32 runLength, const CharAttrs& attrs) {
    CharAttrs copied = attrs;
    copied.overrides.erase(std::remove_if(copied.overrides.begin(), copied.overrides.end(),
                                          [](const TextAttribute& a) { return !AttrAnswersOf(a.cls).copiedWithText; }),
                           copied.overrides.end());
    clip->runs.emplace_back(runLength, copied);
    clip->records.Collect(db, copied);
  });
  for (int32 i = 0; i < length; ++i) {
    if (clip->units[static_cast<size_t>(i)] != u'\r') continue;
    ParaAttrs attrs = editor.ParagraphAttributes()->ValueAt(start + i);
    clip->paragraphEnds.emplace_back(i, attrs);
    clip->records.Collect(db, attrs);
  }
  for (const OwnedItemInfo& info : editor.OwnedItems()->GetOwnedItems(start, length)) {
    InterfacePtr<IOwnedItem> item(db, info.uid, IID_IOWNEDITEM);
    if (!item || !item->IsCopyable()) continue;
    InterfacePtr<IOwnedItemMemento> memento(item->CreateMemento());
    if (!memento) continue;
    memento->PrepareCopy();
    clip->items.push_back({info.index - start, info.cls, memento});
  }
  Current() = std::move(clip);
  return kSuccess;
}

bool16 TextClipboard::IsEmpty() { return !Current(); }

void TextClipboard::Clear() { Current().reset(); }

void TextClipboard::ForgetDocument(const IDataBase* db) {
  TextClipping* clip = Current().get();
  if (!clip || clip->source != db) return;
  clip->source = nullptr;
  clip->items.clear();
}

ErrorCode TextClipboard::PasteInto(const UIDRef& story, TextIndex at) {
  // Held here: a memento's paste may copy something else meanwhile.
  std::shared_ptr<TextClipping> clip = Current();
  if (!clip) return kInvalidParameterError;
  StoryEditor editor(story);
  ErrorCode err = editor.Insert(at, clip->units);
  if (err != kSuccess) return err;
  IDataBase* db = story.GetDataBase();
  const bool sameDatabase = clip->source == db;
  clip->records.BeginImport(db, sameDatabase);
  TextIndex pos = at;
  for (auto& run : clip->runs) {
    editor.FillCharAttrs(pos, run.first, clip->records.Import(run.second));
    pos += run.first;
  }
  for (auto& end : clip->paragraphEnds) editor.FillParagraph(at + end.first, clip->records.Import(end.second));

  std::vector<IOwnedItemMemento*> pasted;
  for (ClippedItem& item : clip->items) {
    if (!sameDatabase && !item.memento->CanPasteIntoOtherDocument()) continue;
    UIDRef result;
    UIDRef source(clip->source, item.memento->GetOwnedItemUID());
    if (item.memento->Paste(source, story, &result) != kSuccess) {
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);  // the item is dropped, the paste goes on
      continue;
    }
    if (result.GetDataBase() == db && db->IsValidUID(result.GetUID()))
      editor.OwnedItems()->SetOwnedItem(at + item.offset, item.cls, result.GetUID());
    pasted.push_back(item.memento.get());
  }
  for (IOwnedItemMemento* memento : pasted) memento->PasteFinished();
  return kSuccess;
}
