#include "headless/text/TextClipboard.h"
#include "headless/text/AttrReports.h"
#include <algorithm>
#include "headless/text/StoryEditor.h"
#include "headless/text/TextHolders.h"
#include "headless/text/WorkspaceRecords.h"
#include "host/CmdUtils.h"
#include "host/IFootnote.h"
#include "host/IOwnedItem.h"
#include "host/UTF32TextChar.h"
#include <memory>
#include <vector>

namespace {
struct ClippedItem {
  int32 offset;
  ClassID cls;
  UID uid;  // the item in the source
  InterfacePtr<IOwnedItemMemento> memento;  // null only for an item a move carries as it is
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

namespace {
// The range's text, attributes and, for each item in it that travels with
// text, its memento, prepared for a copy or a move. A copy leaves behind
// the attributes that say so; moved text is the same text and keeps all.
// A move also lists the items that do not travel with copies, without a
// memento: they go along as they are.
std::shared_ptr<TextClipping> Clip(const UIDRef& story, TextIndex start, int32 length, bool move) {
  StoryEditor editor(story);
  auto clip = std::make_shared<TextClipping>();
  IDataBase* db = story.GetDataBase();
  clip->source = db;
  editor.Text()->Text().Copy(start, length, &clip->units);
  editor.CharacterAttributes()->ForEachRun(start, length, [&](int32, int32 runLength, const CharAttrs& attrs) {
    CharAttrs copied = attrs;
    if (!move)
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
    const bool travels = item && item->IsCopyable();
    // A move keeps every object anchored in the text, not only those that
    // travel with copies.
    if (!travels && !(move && item)) continue;
    InterfacePtr<IOwnedItemMemento> memento(travels ? item->CreateMemento() : nullptr);
    if (!memento && !move) continue;
    if (memento && move) memento->PrepareMove();
    else if (memento) memento->PrepareCopy();
    clip->items.push_back({info.index - start, info.cls, info.uid, memento});
  }
  return clip;
}

// Inserts the clipping's text at `at` with its attributes, imported into
// the target's workspace when it comes from another document.
ErrorCode InsertText(TextClipping& clip, StoryEditor& editor, TextIndex at) {
  ErrorCode err = editor.Insert(at, clip.units);
  if (err != kSuccess) return err;
  IDataBase* db = editor.GetDataBase();
  clip.records.BeginImport(db, clip.source == db);
  TextIndex pos = at;
  for (auto& run : clip.runs) {
    editor.FillCharAttrs(pos, run.first, clip.records.Import(run.second));
    pos += run.first;
  }
  for (auto& end : clip.paragraphEnds) editor.FillParagraph(at + end.first, clip.records.Import(end.second));
  return kSuccess;
}

bool IsStoryRange(const StoryEditor& editor, TextIndex start, int32 length, int32 limit) {
  return editor.IsValid() && start >= 0 && length > 0 && length <= limit - start;
}
}  // namespace

ErrorCode TextClipboard::Copy(const UIDRef& story, TextIndex start, int32 length) {
  StoryEditor editor(story);
  if (!IsStoryRange(editor, start, length, editor.Length())) return kTextRangeError;
  Current() = Clip(story, start, length, false);
  return kSuccess;
}

bool16 TextClipboard::IsEmpty() { return !Current(); }

void TextClipboard::Clear() { Current().reset(); }

void TextClipboard::ForgetDocument(const IDataBase* db) {
  TextClipping* clip = Current().get();
  if (!clip || clip->source != db) return;
  clip->source = nullptr;
  // The places stay, so that a paste can drop the anchors the items had.
  for (ClippedItem& item : clip->items) item.memento.reset();
}

namespace {
// An invisible anchor character whose item was dropped would stand in the
// text carrying nothing; it goes, last first so that the offsets hold.
// Visible characters (a footnote's, a variable's) stay with the text.
void RemoveBareAnchors(StoryEditor& editor, TextIndex at, std::vector<int32> offsets) {
  std::sort(offsets.begin(), offsets.end());
  offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
  for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
    const TextIndex anchor = at + *it;
    if (editor.Text()->Text().At(anchor) != kTextChar_ZeroSpaceNoBreak) continue;
    if (!editor.OwnedItems()->GetOwnedItems(anchor, 1).empty()) continue;
    editor.Delete(anchor, 1);
  }
}
}  // namespace

ErrorCode TextClipboard::PasteInto(const UIDRef& story, TextIndex at) {
  // Held here: a memento's paste may copy something else meanwhile.
  std::shared_ptr<TextClipping> clip = Current();
  if (!clip) return kInvalidParameterError;
  StoryEditor editor(story);
  ErrorCode err = InsertText(*clip, editor, at);
  if (err != kSuccess) return err;
  IDataBase* db = story.GetDataBase();
  const bool sameDatabase = clip->source == db;

  std::vector<IOwnedItemMemento*> pasted;
  std::vector<int32> dropped;
  for (ClippedItem& item : clip->items) {
    UIDRef result;
    const bool mayPaste = item.memento && (sameDatabase || item.memento->CanPasteIntoOtherDocument());
    if (!mayPaste || item.memento->Paste(UIDRef(clip->source, item.memento->GetOwnedItemUID()), story, &result) !=
                         kSuccess) {
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);  // the item is dropped, the paste goes on
      dropped.push_back(item.offset);
      continue;
    }
    if (result.GetDataBase() == db && db->IsValidUID(result.GetUID()))
      editor.OwnedItems()->SetOwnedItem(at + item.offset, item.cls, result.GetUID());
    else
      dropped.push_back(item.offset);
    pasted.push_back(item.memento.get());
  }
  RemoveBareAnchors(editor, at, std::move(dropped));
  for (IOwnedItemMemento* memento : pasted) memento->PasteFinished();
  return kSuccess;
}

namespace {
bool SplitsPair(const StoryEditor& editor, TextIndex at) {
  const ChunkedText& text = editor.Text()->Text();
  return at > 0 && at < text.Length() && text.At(at) >= 0xDC00 && text.At(at) <= 0xDFFF &&
         text.At(at - 1) >= 0xD800 && text.At(at - 1) <= 0xDBFF;
}

// A move's destination: another story of the same document, or a place in
// the same story outside the moved range (either end leaves the text as it is).
ErrorCode CheckMove(const StoryEditor& source, TextIndex start, int32 length, const StoryEditor& target,
                    TextIndex at) {
  if (source.GetDataBase() != target.GetDataBase()) return kInvalidParameterError;
  // The story's final return stays: every story ends with one.
  if (!IsStoryRange(source, start, length, source.Length() - 1)) return kTextRangeError;
  // Checked before anything changes: the deletion at the end would refuse it.
  if (SplitsPair(source, start) || SplitsPair(source, start + length)) return kTextRangeError;
  if (!target.IsValid() || at < 0 || at > target.Length() - 1) return kTextRangeError;
  const bool sameStory = source.GetStoryRef() == target.GetStoryRef();
  if (sameStory && at > start && at < start + length) return kMoveIntoItselfError;
  // A footnote's reference inside its own text would have the footnote
  // hold itself: deleting it would delete its own text without end.
  for (const OwnedItemInfo& info : source.OwnedItems()->GetOwnedItems(start, length)) {
    InterfacePtr<IFootnote> note(source.GetDataBase(), info.uid, IID_IFOOTNOTE);
    if (note && note->GetFootnoteStoryUID() == target.GetStoryRef().GetUID()) return kMoveIntoItselfError;
  }
  return kSuccess;
}

// Takes out, with the commands its memento gives for the moved range, an
// item that did not come along; false when one of them fails.
bool RemoveLeftBehind(const std::vector<IOwnedItemMemento*>& left, const UIDRef& story, TextIndex start,
                      int32 length) {
  if (left.empty()) return true;
  InterfacePtr<ITextModel> model(story);
  CommandList cmds;
  for (IOwnedItemMemento* memento : left) memento->AppendMoveCommands(model.get(), start, length, &cmds);
  for (int32 i = 0; i < cmds.Length(); ++i)
    if (CmdUtils::ProcessCommand(cmds.At(i)) != kSuccess) return false;
  return true;
}
}  // namespace

ErrorCode TextClipboard::Move(const UIDRef& from, TextIndex start, int32 length, const UIDRef& to, TextIndex at) {
  StoryEditor source(from);
  StoryEditor target(to);
  ErrorCode err = CheckMove(source, start, length, target, at);
  if (err != kSuccess) return err;
  std::shared_ptr<TextClipping> clip = Clip(from, start, length, true);
  err = InsertText(*clip, target, at);
  if (err != kSuccess) return err;
  const int32 sourceLength = source.Length(), targetLength = target.Length();
  // The moved range, where it lies now that the text is in twice.
  const TextIndex left = from == to && at <= start ? start + length : start;

  IDataBase* db = to.GetDataBase();
  std::vector<IOwnedItemMemento*> pasted, stayed;
  std::vector<UID> moved;
  for (ClippedItem& item : clip->items) {
    UID anchored = item.uid;
    if (item.memento) {
      UIDRef result;
      if (item.memento->Paste(UIDRef(db, item.uid), to, &result) != kSuccess) {
        ErrorUtils::PMSetGlobalErrorCode(kSuccess);  // it stays behind and goes with the old text
        stayed.push_back(item.memento.get());
        continue;
      }
      pasted.push_back(item.memento.get());
      // A memento may hand over another object; the original then stays behind.
      if (result.GetDataBase() == db && db->IsValidUID(result.GetUID()) && result.GetUID() != item.uid) {
        anchored = result.GetUID();
        stayed.push_back(item.memento.get());
      }
    }
    // Anchoring it here takes it away from its old character.
    target.OwnedItems()->SetOwnedItem(at + item.offset, item.cls, anchored);
    if (anchored == item.uid) moved.push_back(item.uid);
  }
  if (!RemoveLeftBehind(stayed, from, left, length)) return ErrorUtils::PMGetGlobalErrorCode();
  // Those commands must leave the text alone, or the moved range would no longer hold.
  if (source.Length() != sourceLength || target.Length() != targetLength) return kTextRangeError;
  MoveTextHolders(from, left, length, to.GetUID(), at);
  err = source.Delete(left, length);
  if (err != kSuccess) return err;
  for (IOwnedItemMemento* memento : pasted) memento->PasteFinished();
  // These anchors really moved, unlike those after an edit.
  for (UID uid : moved) {
    InterfacePtr<IOwnedItem> item(db, uid, IID_IOWNEDITEM);
    if (item && item->HearsLayout()) item->Moved();
  }
  return kSuccess;
}
