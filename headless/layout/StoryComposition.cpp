#include "headless/layout/StoryComposition.h"
#include "headless/database/DataBase.h"
#include "headless/objects/Host.h"
#include "headless/layout/LayoutObjects.h"
#include "headless/text/LayoutDamage.h"
#include "headless/text/TextStrand.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include <algorithm>
#include <limits>
#include <set>

namespace {
// A region the edits touched, in the new text: [start, end), and the
// change in length.
struct Damage {
  TextIndex start = 0;
  TextIndex end = 0;
  int32 delta = 0;
  // Left by composing that paused after adding or removing lines: the old
  // lines from here on keep the slots they were composed in, which are no
  // longer their own.
  bool stale = false;
};

// The places for lines, frame after frame (frames without columns have
// none), numbered from 0.
struct Slots {
  Slots() = default;
  explicit Slots(const std::vector<FrameBox>& boxes) : first(boxes.size() + 1, 0) {
    for (size_t f = 0; f < boxes.size(); ++f) {
      first[f + 1] = first[f] + (boxes[f].columns > 0 ? std::max(0, boxes[f].lines) : 0);
      widest = std::max(widest, boxes[f].columns);
    }
    // From here on every place is as wide as the last frame with places.
    size_t f = boxes.size();
    int32 width = 0;
    for (; f > 0; --f) {
      const FrameBox& box = boxes[f - 1];
      if (box.columns <= 0 || box.lines <= 0) continue;
      if (width == 0) width = box.columns;
      if (box.columns != width) break;
    }
    uniformFrom = first[f];
  }
  int32 Of(int32 frame, int32 line) const { return first[static_cast<size_t>(frame)] + line; }
  int32 Total() const { return first.back(); }
  // A line breaks the same in any place as wide: lines that fell back in
  // step a whole number of places away from where they were stay as they
  // are when every place from both on is as wide.
  bool SameWidthsOnFrom(int32 a, int32 b) const { return a >= uniformFrom && b >= uniformFrom; }
  std::vector<int32> first{0};
  int32 uniformFrom = 0;
  int32 widest = 0;  // the most columns of any frame
};

struct Entry {
  uint64_t serial = ~0ull;
  uint64_t revision = 0;  // the story's layout-damage revision composed
  bool composed = false;
  uint64_t frameRevision = 0;  // of the frames in `boxes`
  // Composing stopped before these regions (lines before the first are
  // current): damage not yet composed again, as DamageRegions keeps it.
  std::vector<Damage> pending;
  std::vector<FrameBox> boxes;
  Slots slots;  // of `boxes`
  StoryComposition composition;
};

std::map<std::pair<uint64_t, UID>, Entry>& Cache() {
  static std::map<std::pair<uint64_t, UID>, Entry> cache;
  return cache;
}

uint64_t gFrameRevision = 1;

std::set<std::pair<uint64_t, UID>>& Composing() {
  static std::set<std::pair<uint64_t, UID>> composing;
  return composing;
}

// Where the edits left damage, in the text after them: sorted, disjoint
// regions, so that edits far apart are composed again each on its own
// rather than with all the text between them. Each region's positions in
// the text as last composed are its positions now less the deltas of the
// regions before it. Past kMaxRegions they become one region.
constexpr size_t kMaxRegions = 64;

std::vector<Damage> DamageRegions(std::vector<Damage> regions, const std::vector<TextEdit>& edits) {
  for (const TextEdit& e : edits) {
    const TextIndex removedEnd = e.at + e.removed;
    const int32 shift = e.inserted - e.removed;
    Damage merged{e.at, e.at + e.inserted, shift};
    std::vector<Damage> next;
    next.reserve(regions.size() + 1);
    bool placed = false;
    for (const Damage& r : regions) {
      if (r.end < e.at) {
        next.push_back(r);
      } else if (r.start > removedEnd) {
        if (!placed) next.push_back(merged), placed = true;
        next.push_back({r.start + shift, r.end + shift, r.delta, r.stale});
      } else {
        // Touching or overlapping: one region. Positions inside the removed
        // text collapse onto the end of the inserted text.
        merged.start = std::min(merged.start, r.start);
        merged.end = std::max(merged.end, r.end >= removedEnd ? r.end + shift : e.at + e.inserted);
        merged.delta += r.delta;
        merged.stale = merged.stale || r.stale;
      }
    }
    if (!placed) next.push_back(merged);
    regions.swap(next);
  }
  if (regions.size() <= kMaxRegions) return regions;
  Damage all{regions.front().start, regions.back().end, 0};
  for (const Damage& r : regions) {
    all.delta += r.delta;
    all.stale = all.stale || r.stale;
  }
  return {all};
}

// What a composition pass changed: lines [from, to) are new, and the owned
// items in [oversetFrom, oversetTo) and in [damageFrom, damageTo) went into
// overset text (the first as the overset start moved up, the second as the
// edits put text there).
struct Changes {
  int32 from = 0;
  int32 to = 0;
  TextIndex oversetFrom = 0;
  TextIndex oversetTo = 0;
  TextIndex damageFrom = 0;
  TextIndex damageTo = 0;
  // Composing stopped at pausedAt, past the index asked, before the lines
  // fell back in step; [pausedAt, pendingEnd) still waits.
  bool paused = false;
  bool staleAfter = false;  // the lines past pausedAt moved to other numbers
  TextIndex pausedAt = 0;
  TextIndex pendingEnd = 0;
  // More lines whose items hear, sorted: lines marked untold that are told
  // now (composed again unchanged, or asked for).
  std::vector<int32> moved;
};

// Where an index of the text before the edits lies after them.
TextIndex MapOld(TextIndex p, const Damage& d) {
  if (p <= d.start) return p;
  if (p >= d.end - d.delta) return p + d.delta;
  return d.start;
}

void TellOverset(IDataBase* db, IOwnedItemStrand* strand, TextIndex from, TextIndex to) {
  if (from >= to) return;
  for (const OwnedItemInfo& info : strand->GetOwnedItems(from, to - from)) {
    InterfacePtr<IOwnedItem> item(db, info.uid, IID_IOWNEDITEM);
    if (item && item->HearsLayout()) item->Overset();
  }
}

// Tells the items anchored in lines [from, to) their lines.
void TellLines(IDataBase* db, IOwnedItemStrand* strand, StoryComposition& c, int32 from, int32 to) {
  if (from >= to) return;
  const ComposedLine first = c.Line(from);
  const ComposedLine last = c.Line(to - 1);
  // Items of one line share its line object.
  int32 waxLine = -1;
  IPMUnknown* wax = nullptr;
  for (const OwnedItemInfo& info : strand->GetOwnedItems(first.start, last.start + last.length - first.start)) {
    InterfacePtr<IOwnedItem> item(db, info.uid, IID_IOWNEDITEM);
    int32 lineNumber = -1;
    const auto line = c.LineAt(info.index, &lineNumber);
    if (!item || !item->HearsLayout() || !line) continue;
    if (lineNumber != waxLine || !wax) {
      if (wax) wax->Release();
      wax = MakeWaxLine(&c, lineNumber, c.FrameUID(line->frame), *line);
      waxLine = lineNumber;
    }
    item->ComposedIntoLine(wax);
  }
  if (wax) wax->Release();
}

void TellOwnedItems(IDataBase* db, ITextModel* text, StoryComposition& c, const Changes& changes) {
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(text->QueryStrand(ClassID{0x208}, IID_IOWNEDITEMSTRAND)));
  if (!strand) return;
  TellLines(db, strand.get(), c, changes.from, changes.to);
  for (size_t i = 0; i < changes.moved.size();) {
    // Consecutive lines together, in one lookup.
    size_t j = i + 1;
    while (j < changes.moved.size() && changes.moved[j] == changes.moved[j - 1] + 1) ++j;
    TellLines(db, strand.get(), c, changes.moved[i], changes.moved[j - 1] + 1);
    i = j;
  }
  TellOverset(db, strand.get(), changes.oversetFrom, changes.oversetTo);
  // The damage, less what the first range told.
  TellOverset(db, strand.get(), changes.damageFrom, std::min(changes.damageTo, changes.oversetFrom));
  TellOverset(db, strand.get(), std::max(changes.damageFrom, changes.oversetTo), changes.damageTo);
}

// Reads the text through the piece last read: line breaking reads forward
// and back within a line, nearly always inside one piece.
struct TextSource {
  explicit TextSource(const ChunkedText* t) : text(t) {}
  char16_t operator()(size_t i) const {
    const int32 p = static_cast<int32>(i);
    if (!piece || p < start || p >= start + length) {
      piece = text->PieceAt(p, &start, &length);
      if (!piece) return char16_t(0);
    }
    return piece[p - start];
  }
  const ChunkedText* text;
  mutable const char16_t* piece = nullptr;
  mutable int32 start = 0;
  mutable int32 length = 0;
};
}  // namespace

struct CompositionWork {
  static bool Compose(DataBase* db, UID story, Entry& entry, const ChunkedText& units, TextIndex through,
                      std::vector<Changes>* passes);
  static Changes Full(StoryComposition& c, const TextSource& at, int32 length, const std::vector<FrameBox>& boxes,
                      const std::vector<UID>& frames) {
    c.frames_ = frames;
    c.frameIndex_.clear();
    for (size_t f = 0; f < frames.size(); ++f) c.frameIndex_.emplace(frames[f], static_cast<int32>(f));
    ComposedLines& lines = c.lines_;
    lines.Clear();
    lines.SetFrameSlots(Slots(boxes).first);
    size_t pos = 0;
    const size_t total = static_cast<size_t>(length);
    for (size_t f = 0; f < boxes.size() && pos < total; ++f) {
      if (boxes[f].columns <= 0) continue;
      for (int32 l = 0; l < boxes[f].lines && pos < total; ++l) {
        size_t end = LineEnd(at, total, pos, static_cast<size_t>(boxes[f].columns));
        lines.PushBack({static_cast<TextIndex>(pos), static_cast<int32>(end - pos), static_cast<int32>(f), l});
        pos = end;
      }
    }
    c.overset_ = static_cast<TextIndex>(pos);
    c.length_ = length;
    c.adornments_.Clear();
    Changes changes;
    changes.to = c.LineCount();
    changes.oversetFrom = c.overset_;
    changes.oversetTo = length;
    return changes;
  }

  // Composes regions[*next] again, and with it every later region the
  // lines composed read into; *next moves past those taken.
  static Changes Incremental(StoryComposition& c, const TextSource& at, int32 length,
                             const std::vector<FrameBox>& boxes, const Slots& slots,
                             const std::vector<Damage>& regions, size_t* next,
                             TextIndex through) {
    // The old lines stay in place while the new ones are composed beside
    // them; only the lines composed again are written, and the rest shift.
    ComposedLines& old = c.lines_;
    const TextIndex oldOverset = c.overset_;
    const int32 maxColumns = slots.widest;
    Damage d = regions[(*next)++];
    auto take = [&](int64 upTo) {
      for (; *next < regions.size() && regions[*next].start <= upTo; ++*next) {
        d.end = regions[*next].end;
        d.delta += regions[*next].delta;
      }
    };
    // Start again at the first line that reads as far as the damage: a line
    // reads up to `columns` units past its start.
    const size_t after = old.FirstStartingAfter(d.start);
    size_t k = after == 0 ? 0 : after - 1;
    while (k > 0 && static_cast<int64>(old.Start(k - 1)) + maxColumns + 1 >= d.start) --k;
    size_t pos = k < old.size() ? static_cast<size_t>(old.Start(k)) : 0;
    size_t f = k < old.size() ? static_cast<size_t>(old[k].frame) : 0;
    int32 l = k < old.size() ? old[k].lineInFrame : 0;

    std::vector<ComposedLine> fresh;
    Changes changes;
    changes.from = -1;
    int32 oldResync = -1, newResync = -1;
    bool movedBySlots = false;
    int32 slotShift = 0;  // of the lines after the resync, when moved by slots
    const size_t total = static_cast<size_t>(length);
    while (f < boxes.size() && pos < total) {
      if (boxes[f].columns <= 0 || l >= boxes[f].lines) {
        ++f;
        l = 0;
        continue;
      }
      // A line reads up to `columns` units past its start.
      take(static_cast<int64>(pos) + maxColumns + 1);
      if (static_cast<TextIndex>(pos) >= d.end) {
        // In step again: an old line start, shifted, in the same slot.
        const TextIndex oldStart = static_cast<TextIndex>(pos) - d.delta;
        const size_t same = old.FirstStartingFrom(oldStart);
        const bool found = same < old.size() && old.Start(same) == oldStart;
        const ComposedLine was = found ? old[same] : ComposedLine{};
        const bool sameSlot = found && was.frame == static_cast<int32>(f) && was.lineInFrame == l;
        const bool slotsAway = found && !sameSlot &&
                               slots.SameWidthsOnFrom(slots.Of(was.frame, was.lineInFrame),
                                                      slots.Of(static_cast<int32>(f), l)) &&
                               TailMovesAlone(regions, *next, d, oldOverset, length,
                                              slots.Of(static_cast<int32>(f), l) +
                                                  static_cast<int32>(old.size() - same),
                                              slots.Total());
        if (sameSlot || slotsAway) {
          oldResync = static_cast<int32>(same);
          newResync = static_cast<int32>(k + fresh.size());
          movedBySlots = !sameSlot;
          slotShift = slots.Of(static_cast<int32>(f), l) - slots.Of(was.frame, was.lineInFrame);
          break;
        }
      }
      if (static_cast<TextIndex>(pos) > through && !fresh.empty())
        return Pause(c, k, fresh, static_cast<TextIndex>(pos), d, oldOverset, changes, length);
      size_t end = LineEnd(at, total, pos, static_cast<size_t>(boxes[f].columns));
      ComposedLine line{static_cast<TextIndex>(pos), static_cast<int32>(end - pos), static_cast<int32>(f), l};
      const size_t n = k + fresh.size();
      const bool unchanged = n < old.size() && old[n] == line && line.start + line.length <= d.start;
      if (!unchanged && changes.from < 0) changes.from = static_cast<int32>(n);
      fresh.push_back(line);
      pos = end;
      ++l;
    }
    // Out of frames or text: what lies past is overset, later damage too.
    if (oldResync < 0) take(std::numeric_limits<int64>::max());
    TakeUntoldKept(old, k, fresh.size(), oldResync >= 0 ? static_cast<size_t>(oldResync) : old.size(), &changes);
    // Unless composing paused after adding or removing lines further on, the
    // lines after the resync are in the slots they were composed in, one
    // after another, and take their new slots in one step.
    const bool tailInStep = std::none_of(regions.begin() + static_cast<std::ptrdiff_t>(*next), regions.end(),
                                         [](const Damage& r) { return r.stale; });
    if (oldResync >= 0)
      old.Splice(k, static_cast<size_t>(oldResync), fresh, d.delta, movedBySlots && tailInStep ? slotShift : 0);
    else
      old.Splice(k, old.size(), fresh, 0);
    changes.to = newResync >= 0 ? newResync : c.LineCount();
    if (changes.from < 0) changes.from = changes.to;
    c.length_ = length;
    c.overset_ = newResync >= 0 ? oldOverset + d.delta : static_cast<TextIndex>(pos);
    // Items newly in overset: from the new overset start to where the old
    // one lies now, and any in the damage. Those overset before the damage
    // and still there heard of it then.
    changes.oversetFrom = changes.oversetTo = c.overset_;
    changes.damageFrom = changes.damageTo = c.overset_;
    if (newResync < 0) {
      const TextIndex oldOversetNow = MapOld(oldOverset, d);
      changes.oversetTo = std::max(c.overset_, std::min(oldOversetNow, length));
      changes.damageFrom = std::max(c.overset_, d.start);
      changes.damageTo = std::max(changes.damageFrom, std::min(std::max(d.end, d.start + 1), length));
    }
    ShiftAdornments(c, changes.from, oldResync, newResync);
    if (movedBySlots)
      MoveTail(c, at, length, boxes, slots, static_cast<size_t>(newResync), f, l, tailInStep, slotShift,
               *next == regions.size(), &changes);
    return changes;
  }

  // Lines [first, end), in consecutive slots from the first's, moved there
  // by `shifted` slots: those now in another frame than before are untold.
  // Moved down, they are the first lines of a frame; moved up, the last.
  static void MarkFramesLeft(ComposedLines& lines, const Slots& slots, size_t first, size_t end, int32 shifted) {
    if (shifted == 0 || first >= end) return;
    const int32 from = lines.Slot(first), to = from + static_cast<int32>(end - first);
    for (auto frame = static_cast<size_t>(lines.FrameOfSlot(from)); frame + 1 < slots.first.size() && slots.first[frame] < to; ++frame) {
      const int32 begin = slots.first[frame], stop = slots.first[frame + 1];
      const int32 left = shifted > 0 ? begin : std::max(begin, stop + shifted);
      const int32 right = shifted > 0 ? std::min(stop, begin + shifted) : stop;
      for (int32 slot = std::max(left, from); slot < std::min(right, to); ++slot)
        lines.MarkUntold(first + static_cast<size_t>(slot - from));
    }
  }

  // Lines from k that composing found unchanged stay, but as fresh lines
  // they would lose their untold mark: their items hear now.
  static void TakeUntoldKept(ComposedLines& lines, size_t k, size_t fresh, size_t tail, Changes* changes) {
    const size_t unchangedEnd = changes->from < 0 ? k + fresh : static_cast<size_t>(changes->from);
    lines.TakeUntold(k, std::min(unchangedEnd, tail), &changes->moved);
  }

  // Whether the lines after a damage may take other places now, ending at
  // place `tailEnd`. With later damage still to compose, which reads the
  // lines in the text before it, only when none of them goes overset and no
  // overset text flows in.
  static bool TailMovesAlone(const std::vector<Damage>& regions, size_t next, const Damage& d, TextIndex oldOverset,
                             int32 length, int32 tailEnd, int32 places) {
    if (next == regions.size()) return true;
    int32 later = 0;
    for (size_t r = next; r < regions.size(); ++r) later += regions[r].delta;
    return oldOverset >= length - d.delta - later && tailEnd <= places;
  }

  // The lines from `first` on, which fell back in step in other places,
  // take the places from (f, l) on; those that no longer fit go overset,
  // and overset text flows into places left free. Lines that go to another
  // frame are marked untold: their items hear when composing is asked for
  // them, so that an edit that adds a line does not tell every later frame.
  static void MoveTail(StoryComposition& c, const TextSource& at, int32 length, const std::vector<FrameBox>& boxes,
                       const Slots& slots, size_t first, size_t f, int32 l, bool inStep, int32 shifted,
                       bool flowIn, Changes* changes) {
    ComposedLines& lines = c.lines_;
    auto nextSlot = [&] {
      while (f < boxes.size() && (boxes[f].columns <= 0 || l >= boxes[f].lines)) {
        ++f;
        l = 0;
      }
      return f < boxes.size();
    };
    size_t n = first;
    if (inStep) {
      // The splice moved the lines by `shifted` slots already: only those
      // that no longer fit, and those now in another frame, are left.
      const int32 from = slots.Of(static_cast<int32>(f), l);
      n = std::min(lines.size(), first + static_cast<size_t>(std::max(0, slots.Total() - from)));
      MarkFramesLeft(lines, slots, first, n, shifted);
      const int32 after = from + static_cast<int32>(n - first);
      f = static_cast<size_t>(lines.FrameOfSlot(after));  // boxes.size() past the last slot
      l = f < boxes.size() ? after - slots.first[f] : 0;
    } else {
      // Past a stop after lines went in or out, the lines are not in
      // their slots one after another: each takes its own.
      for (; n < lines.size() && nextSlot(); ++n, ++l) {
        const int32 slot = slots.Of(static_cast<int32>(f), l), was = lines.Slot(n);
        if (was == slot) continue;
        if (lines.FrameOfSlot(was) != static_cast<int32>(f)) lines.MarkUntold(n);
        lines.SetSlot(n, slot);
      }
    }
    if (n < lines.size()) {
      changes->oversetFrom = lines.Start(n);
      changes->oversetTo = c.overset_;
      changes->damageFrom = changes->damageTo = c.overset_;
      c.overset_ = lines.Start(n);
      lines.Truncate(n);
      c.adornments_.DropFrom(static_cast<int32>(n));
      return;
    }
    if (!flowIn) return;
    size_t pos = static_cast<size_t>(c.overset_);
    const size_t total = static_cast<size_t>(length);
    for (; pos < total && nextSlot(); ++l) {
      const size_t end = LineEnd(at, total, pos, static_cast<size_t>(boxes[f].columns));
      lines.PushBack({static_cast<TextIndex>(pos), static_cast<int32>(end - pos), static_cast<int32>(f), l});
      lines.MarkUntold(lines.size() - 1);
      pos = end;
    }
    c.overset_ = static_cast<TextIndex>(pos);
    changes->oversetFrom = changes->oversetTo = changes->damageFrom = changes->damageTo = c.overset_;
  }

  // Lines [0, k) and `fresh` are current, and the index asked lies before
  // pos: the old lines past the damage, shifted, stand in for the rest until
  // asked for. What goes into overset is told when composing gets there.
  // Like the lines kept, the overset start does not count later damage yet.
  static Changes Pause(StoryComposition& c, size_t k, const std::vector<ComposedLine>& fresh, TextIndex pos,
                       const Damage& d, TextIndex oldOverset, Changes changes, int32 length) {
    ComposedLines& lines = c.lines_;
    const int32 current = static_cast<int32>(k + fresh.size());
    changes.to = current;
    if (changes.from < 0) changes.from = current;
    const int32 firstStale = static_cast<int32>(lines.FirstStartingFrom(std::max(d.end - d.delta, pos - d.delta)));
    TakeUntoldKept(lines, k, fresh.size(), static_cast<size_t>(firstStale), &changes);
    lines.Splice(k, static_cast<size_t>(firstStale), fresh, d.delta);
    c.length_ = length;
    c.overset_ = std::max(pos, MapOld(oldOverset, d));
    changes.oversetFrom = changes.oversetTo = changes.damageFrom = changes.damageTo = c.overset_;
    changes.paused = true;
    changes.staleAfter = fresh.size() != static_cast<size_t>(firstStale) - k;
    changes.pausedAt = pos;
    changes.pendingEnd = std::max(pos, d.end);
    ShiftAdornments(c, changes.from, firstStale, current);
    return changes;
  }

  // Adornments of lines before the change stay, those of lines after it
  // move with their lines, those of changed lines go (their items add them
  // again when told).
  static void ShiftAdornments(StoryComposition& c, int32 from, int32 oldResync, int32 newResync) {
    if (oldResync < 0) {
      c.adornments_.DropFrom(from);
      return;
    }
    c.adornments_.Recomposed(from, oldResync, newResync - oldResync);
  }
};

UID StoryComposition::FrameAt(TextIndex at) const {
  const auto line = LineAt(at);
  return line ? FrameUID(line->frame) : kInvalidUID;
}

std::optional<ComposedLine> StoryComposition::LineAt(TextIndex at, int32* lineNumber) const {
  if (at < 0 || at >= overset_) return std::nullopt;
  const size_t after = lines_.FirstStartingAfter(at);
  if (after == 0) return std::nullopt;
  if (lineNumber) *lineNumber = static_cast<int32>(after - 1);
  return lines_[after - 1];
}

UID StoryComposition::FrameUID(int32 frameIndex) const {
  return frameIndex >= 0 && frameIndex < static_cast<int32>(frames_.size()) ? frames_[static_cast<size_t>(frameIndex)]
                                                                             : kInvalidUID;
}

std::pair<size_t, size_t> StoryComposition::LinesOfFrame(UID frame) const {
  auto found = frameIndex_.find(frame);
  if (found == frameIndex_.end()) return {0, 0};
  return lines_.OfFrame(found->second);
}

TextIndex StoryComposition::FrameStart(UID frame) const {
  const auto lines = LinesOfFrame(frame);
  return lines.first < lines.second ? lines_.Start(lines.first) : overset_;
}

int32 StoryComposition::FrameSpan(UID frame) const {
  const auto lines = LinesOfFrame(frame);
  int32 span = 0;
  for (size_t n = lines.first; n < lines.second; ++n) span += lines_[n].length;
  return span;
}

namespace {
bool ReadFrames(IDataBase* db, UID story, std::vector<UID>* uids, std::vector<FrameBox>* boxes) {
  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  if (!frames) return false;
  for (int32 i = 0; i < frames->GetFrameCount(); ++i) {
    InterfacePtr<ITextFrame> frame(db, frames->GetNthFrameUID(i), IID_ITEXTFRAME);
    if (!frame) continue;
    uids->push_back(frames->GetNthFrameUID(i));
    boxes->push_back({frame->GetColumns(), frame->GetLines()});
  }
  return true;
}

const ChunkedText* TextOf(ITextModel* text) {
  InterfacePtr<ITextStrand> strand(static_cast<ITextStrand*>(text->QueryStrand(kTextStrandBoss, IID_ITEXTSTRAND)));
  return strand ? &static_cast<TextStrand*>(strand.get())->Text() : nullptr;
}
}  // namespace

void FramesChanged() { ++gFrameRevision; }

const StoryComposition* ComposeStory(IDataBase* db, UID story) {
  return ComposeStoryThrough(db, story, std::numeric_limits<TextIndex>::max());
}

// Brings the entry's lines up to date through the index, adding what each
// composition pass changed to `passes`; false when the story has no frames.
bool CompositionWork::Compose(DataBase* db, UID story, Entry& entry, const ChunkedText& units, TextIndex through,
                              std::vector<Changes>* passes) {
  StoryComposition& c = entry.composition;
  // Frames are read again only when some frame or frame list changed.
  const uint64_t frameRevision = gFrameRevision;
  const bool framesKnown = entry.composed && entry.frameRevision == frameRevision;
  bool sameFrames = framesKnown;
  if (!framesKnown) {
    std::vector<UID> frameUIDs;
    std::vector<FrameBox> boxes;
    if (!ReadFrames(db, story, &frameUIDs, &boxes)) return false;
    sameFrames = entry.composed && boxes == entry.boxes && frameUIDs == c.frames_;
    if (!sameFrames) c.frames_ = std::move(frameUIDs);
    entry.boxes = std::move(boxes);
    entry.slots = Slots(entry.boxes);
  }
  const std::vector<FrameBox>& boxes = entry.boxes;
  const uint64_t revision = LayoutDamage::Revision(db, story);
  std::vector<TextEdit> edits;
  std::vector<Damage> pending;
  if (sameFrames && LayoutDamage::EditsSince(db, story, entry.revision, &edits)) {
    // What a paused composition left waits before the new edits.
    const std::vector<Damage> regions = DamageRegions(std::move(entry.pending), edits);
    for (size_t next = 0; next < regions.size();) {
      passes->push_back(CompositionWork::Incremental(c, TextSource{&units}, units.Length(), boxes, entry.slots,
                                                     regions, &next, through));
      const Changes& done = passes->back();
      if (!done.paused) continue;
      pending.push_back({done.pausedAt, done.pendingEnd, 0, done.staleAfter});
      pending.insert(pending.end(), regions.begin() + static_cast<std::ptrdiff_t>(next), regions.end());
      break;
    }
  } else {
    passes->push_back(CompositionWork::Full(c, TextSource{&units}, units.Length(), boxes, c.frames_));
  }
  entry.frameRevision = frameRevision;
  entry.revision = revision;
  entry.composed = true;
  entry.pending = std::move(pending);
  return true;
}

const StoryComposition* ComposeStoryThrough(IDataBase* idb, UID story, TextIndex through) {
  auto* db = static_cast<DataBase*>(idb);
  if (!db) return nullptr;
  InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
  const ChunkedText* units = text ? TextOf(text.get()) : nullptr;
  if (!units) return nullptr;
  auto key = std::make_pair(db->InstanceId(), story);
  Entry& entry = Cache()[key];
  if (Composing().count(key)) return &entry.composition;
  StoryComposition& c = entry.composition;
  const bool current = entry.composed && entry.serial == db->ChangeSerial() &&
                       (entry.pending.empty() || through < entry.pending.front().start);
  // The items of the line holding the index asked must have heard, and
  // those of every line when the whole story is asked for; the others hear
  // when asked for, or when the whole story is composed on idle.
  const auto untoldAsked = [&]() -> std::pair<size_t, size_t> {
    const size_t end = c.lines_.FirstStartingAfter(through);
    if (through >= c.overset_) return {0, end};
    return {end == 0 ? 0 : end - 1, end};
  };
  if (current && (!c.lines_.HasUntold() || !c.lines_.AnyUntoldBefore(untoldAsked().second)))
    return &entry.composition;

  std::vector<Changes> passes;
  if (!current && !CompositionWork::Compose(db, story, entry, *units, through, &passes)) return nullptr;
  Changes untold;  // no lines changed, nothing overset: only lines told
  const auto asked = untoldAsked();
  c.lines_.TakeUntold(asked.first, asked.second, &untold.moved);

  Composing().insert(key);
  for (const Changes& changes : passes) TellOwnedItems(db, text.get(), c, changes);
  if (!untold.moved.empty()) TellOwnedItems(db, text.get(), c, untold);
  Composing().erase(key);
  // What the owned items did in answer does not make this composition stale.
  entry.serial = db->ChangeSerial();
  return &entry.composition;
}

std::unique_ptr<StoryComposition> ComposeStoryFromScratch(IDataBase* db, UID story) {
  InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
  std::vector<UID> frameUIDs;
  std::vector<FrameBox> boxes;
  if (!text || !ReadFrames(db, story, &frameUIDs, &boxes)) return nullptr;
  const ChunkedText* units = TextOf(text.get());
  if (!units) return nullptr;
  auto c = std::make_unique<StoryComposition>();
  CompositionWork::Full(*c, TextSource{units}, units->Length(), boxes, frameUIDs);
  return c;
}
