#include "headless/layout/StoryComposition.h"
#include "headless/database/DataBase.h"
#include "headless/objects/Host.h"
#include "headless/layout/LayoutObjects.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include <algorithm>
#include <set>

namespace {
// Where an owned item's anchor was composed: frame and line, or overset.
struct Placement {
  UID frame = kInvalidUID;
  int32 line = -1;
  TextIndex lineStart = -1;
  bool operator==(const Placement& o) const { return frame == o.frame && line == o.line && lineStart == o.lineStart; }
};

using Adornments = std::vector<std::pair<ClassID, double>>;

struct Entry {
  uint64_t serial = ~0ull;
  StoryComposition composition;
  std::map<UID, Placement> placements;
  // The adornments each item found or put on its line, kept for recompositions that leave the
  // item where it was (and so do not ask it again).
  std::map<UID, Adornments> itemAdornments;
};

// Adds what is not on the line yet.
void AddAdornments(Adornments& line, const Adornments& add) {
  for (const auto& a : add)
    if (std::none_of(line.begin(), line.end(), [&](const auto& b) { return b.first == a.first; })) line.push_back(a);
}

std::map<std::pair<uint64_t, UID>, Entry>& Cache() {
  static std::map<std::pair<uint64_t, UID>, Entry> cache;
  return cache;
}

std::set<std::pair<uint64_t, UID>>& Composing() {
  static std::set<std::pair<uint64_t, UID>> composing;
  return composing;
}

void TellOwnedItems(IDataBase* db, ITextModel* text, Entry& entry) {
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(text->QueryStrand(ClassID{0x208}, IID_IOWNEDITEMSTRAND)));
  if (!strand) return;
  std::map<UID, Placement> now;
  std::map<UID, Adornments> added;
  for (const OwnedItemInfo& info : strand->GetOwnedItems(0, text->TotalLength())) {
    InterfacePtr<IOwnedItem> item(db, info.uid, IID_IOWNEDITEM);
    if (!item || !item->HearsLayout()) continue;
    int32 lineNumber = -1;
    const ComposedLine* line = entry.composition.LineAt(info.index, &lineNumber);
    Placement p;
    if (line) p = {entry.composition.FrameUID(line->frame), lineNumber, line->start};
    now[info.uid] = p;
    auto before = entry.placements.find(info.uid);
    if (before != entry.placements.end() && before->second == p) {
      if (!line) continue;
      added[info.uid] = entry.itemAdornments[info.uid];
      AddAdornments(entry.composition.Adornments()[lineNumber], added[info.uid]);
      continue;
    }
    if (!line) {
      item->Overset();
      continue;
    }
    IPMUnknown* wax = MakeWaxLine(&entry.composition, lineNumber, p.frame, *line);
    item->ComposedIntoLine(wax);
    if (wax) wax->Release();
    // The line as the item left it: an item finding its adornment there
    // already relies on it as much as one that added it.
    added[info.uid] = entry.composition.Adornments()[lineNumber];
  }
  entry.placements = std::move(now);
  entry.itemAdornments = std::move(added);
}
}  // namespace

UID StoryComposition::FrameAt(TextIndex at) const {
  const ComposedLine* line = LineAt(at);
  return line ? FrameUID(line->frame) : kInvalidUID;
}

const ComposedLine* StoryComposition::LineAt(TextIndex at, int32* lineNumber) const {
  if (at < 0 || at >= overset_) return nullptr;
  auto it = std::upper_bound(lines_.begin(), lines_.end(), at,
                             [](TextIndex v, const ComposedLine& l) { return v < l.start; });
  if (it == lines_.begin()) return nullptr;
  --it;
  if (lineNumber) *lineNumber = static_cast<int32>(it - lines_.begin());
  return &*it;
}

UID StoryComposition::FrameUID(int32 frameIndex) const {
  return frameIndex >= 0 && frameIndex < static_cast<int32>(frames_.size()) ? frames_[static_cast<size_t>(frameIndex)]
                                                                             : kInvalidUID;
}

TextIndex StoryComposition::FrameStart(UID frame) const {
  for (const ComposedLine& l : lines_)
    if (FrameUID(l.frame) == frame) return l.start;
  return overset_;
}

int32 StoryComposition::FrameSpan(UID frame) const {
  int32 span = 0;
  for (const ComposedLine& l : lines_)
    if (FrameUID(l.frame) == frame) span += l.length;
  return span;
}

const StoryComposition* ComposeStory(IDataBase* idb, UID story) {
  auto* db = static_cast<DataBase*>(idb);
  if (!db) return nullptr;
  InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  if (!text || !frames) return nullptr;
  auto key = std::make_pair(db->InstanceId(), story);
  Entry& entry = Cache()[key];
  if (entry.serial == db->ChangeSerial() || Composing().count(key)) return &entry.composition;

  StoryComposition& c = entry.composition;
  c.frames_.clear();
  std::vector<FrameBox> boxes;
  for (int32 i = 0; i < frames->GetFrameCount(); ++i) {
    InterfacePtr<ITextFrame> frame(db, frames->GetNthFrameUID(i), IID_ITEXTFRAME);
    if (!frame) continue;
    c.frames_.push_back(frames->GetNthFrameUID(i));
    boxes.push_back({frame->GetColumns(), frame->GetLines()});
  }
  const WideString all = text->CopyText(0, text->TotalLength());
  c.length_ = all.Length();
  c.overset_ = BreakLines(all.Units(), boxes, &c.lines_);
  c.adornments_.clear();

  Composing().insert(key);
  TellOwnedItems(db, text.get(), entry);
  Composing().erase(key);
  // What the owned items did in answer does not make this composition stale.
  entry.serial = db->ChangeSerial();
  return &entry.composition;
}
