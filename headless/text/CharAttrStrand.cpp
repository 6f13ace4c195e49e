#include "headless/text/CharAttrStrand.h"
#include "headless/text/AttrReports.h"
#include "headless/text/TextAttributeIO.h"
#include <algorithm>
#include <cassert>
#include <map>

UID CharAttrStrand::GetCharStyle(TextIndex at) const { return AttrsAt(at).style; }

bool16 CharAttrStrand::GetRun(TextIndex at, TextIndex* start, int32* length) const {
  if (at < 0 || at >= runs_.Length()) return false;
  int32 s = 0, l = 0;
  runs_.ValueAt(at, &s, &l);
  if (start) *start = s;
  if (length) *length = l;
  return true;
}

AttributeBossList CharAttrStrand::GetOverrides(TextIndex at) const { return AttrsAt(at).Overrides(); }

bool16 CharAttrStrand::GetOverride(TextIndex at, ClassID cls, TextAttribute* out) const {
  const TextAttribute* a = AttrsAt(at).Find(cls);
  if (!a) return false;
  if (out) *out = *a;
  return true;
}

// Outside the story there is no set, and a set never given reads empty.
const CharAttrs& CharAttrStrand::AttrsAt(TextIndex at) const { return sets_.Get(SetAt(at)); }

int32 CharAttrStrand::SetAt(TextIndex at) const { return at >= 0 && at < runs_.Length() ? runs_.ValueAt(at) : kNoSet; }

const CharAttrs& CharAttrStrand::InsertionAttrs(TextIndex at, bool atParagraphStart) const {
  return sets_.Get(InsertionSet(at, atParagraphStart));
}

int32 CharAttrStrand::InsertionSet(TextIndex at, bool atParagraphStart) const {
  if (at >= 0 && at == pendingAt_) return pendingSet_;
  return SetAt(at > 0 && !atParagraphStart ? at - 1 : at);
}

void CharAttrStrand::Reset(UID style) {
  PreDirty();
  runs_.Clear();
  sets_.Clear();
  CharAttrs attrs;
  attrs.style = style;
  runs_.Append(1, sets_.Intern(attrs));
  pendingAt_ = kInvalidTextIndex;
  pendingSet_ = 0;
}

namespace {
size_t AttrsBytes(const CharAttrs& attrs) { return sizeof(attrs) + attrs.overrides.capacity() * sizeof(TextAttribute); }
}  // namespace

size_t CharAttrStrand::Span::Bytes() const {
  size_t total = AttrsBytes(pending) + runs.runs.capacity() * sizeof(runs.runs[0]);
  for (auto& run : runs.runs) total += AttrsBytes(run.second) - sizeof(CharAttrs);
  return total;
}

CharAttrStrand::Span CharAttrStrand::Read(TextIndex at, int32 count) const {
  Span span;
  span.runs = ReadRuns<CharAttrs>(runs_, at, count, [&](int32 set) { return sets_.Get(set); });
  span.pendingAt = pendingAt_;
  if (pendingAt_ >= 0) span.pending = sets_.Get(pendingSet_);
  return span;
}

void CharAttrStrand::Put(TextIndex at, int32 replaced, const Span& span) {
  WriteRuns(runs_, at, replaced, span.runs, [&](const CharAttrs& attrs) { return sets_.Intern(attrs); });
  pendingAt_ = span.pendingAt;
  pendingSet_ = pendingAt_ >= 0 ? sets_.Intern(span.pending) : 0;
  CompactIfSparse();
}

void CharAttrStrand::Inserted(TextIndex at, int32 count, bool atParagraphStart) {
  if (at < 0 || at >= runs_.Length() || count <= 0) return;
  Span before;
  const bool record = Begin(at, 0, &before);
  runs_.InsertSpace(at, count, TypedSet(InsertionSet(at, atParagraphStart)));
  if (at == pendingAt_) pendingAt_ += count;
  else pendingAt_ = kInvalidTextIndex;
  if (record) End(at, count, std::move(before));
}

// Typing carries a set as it stands unless it holds an attribute typing
// drops; only then is a new set made, so most insertions intern nothing.
int32 CharAttrStrand::TypedSet(int32 set) {
  const CharAttrs& from = sets_.Get(set);
  const auto dropped = [](const TextAttribute& a) { return !AttrAnswersOf(a.cls).carriedWhenTyping; };
  if (set != kNoSet && std::none_of(from.overrides.begin(), from.overrides.end(), dropped)) return set;
  CharAttrs typed(from);
  typed.overrides.erase(std::remove_if(typed.overrides.begin(), typed.overrides.end(), dropped), typed.overrides.end());
  return sets_.Intern(typed);
}

void CharAttrStrand::Deleted(TextIndex at, int32 count) {
  Span before;
  const bool record = Begin(at, count, &before);
  runs_.DeleteRange(at, count);
  pendingAt_ = kInvalidTextIndex;
  if (record) End(at, 0, std::move(before));
}

void CharAttrStrand::Fill(TextIndex at, int32 count, const CharAttrs& attrs) {
  Span before;
  const bool record = Begin(at, count, &before);
  runs_.FillRange(at, count, sets_.Intern(attrs));
  pendingAt_ = kInvalidTextIndex;
  if (record) End(at, count, std::move(before));
  CompactIfSparse();
}

void CharAttrStrand::SetInsertionPoint(TextIndex at, const CharAttrs& attrs) {
  if (at < 0 || at >= runs_.Length()) return;
  Span before;
  const bool record = Begin(at, 0, &before);
  pendingAt_ = at;
  pendingSet_ = sets_.Intern(attrs);
  if (record) End(at, 0, std::move(before));
  CompactIfSparse();
}

void CharAttrStrand::CompactIfSparse() {
  if (sets_.Size() <= 2 * runs_.RunCount() + 64) return;
  CharAttrSets used;
  std::map<int32, int32> renumbered;
  auto keep = [&](int32 set) {
    auto it = renumbered.find(set);
    if (it != renumbered.end()) return it->second;
    int32 id = used.Intern(sets_.Get(set));
    renumbered.emplace(set, id);
    return id;
  };
  runs_.MapValues(keep);
  if (pendingAt_ >= 0) pendingSet_ = keep(pendingSet_);
  sets_ = std::move(used);
}

// The sets in use, numbered in the order the text first uses them (so equal
// strands write equal bytes), then the runs, then the insertion point.
void CharAttrStrand::ReadWrite(IPMStream* s, ImplementationID) {
  if (s->IsWriting()) {
    // Sets are numbered in order of first use; order[set] is its number, -1
    // before it is used.
    std::vector<int32> order(static_cast<size_t>(std::max(sets_.Size(), 1)), -1);
    std::vector<int32> sets;
    std::vector<std::pair<int32, int32>> runs;
    auto number = [&](int32 set) {
      // Every set a run or the pending slot holds came from Intern.
      assert(set >= 0 && static_cast<size_t>(set) < order.size());
      int32& n = order[static_cast<size_t>(set)];
      if (n < 0) {
        n = static_cast<int32>(sets.size());
        sets.push_back(set);
      }
      return n;
    };
    runs_.ForEach(0, runs_.Length(), [&](int32, int32 length, int32 set) {
      runs.emplace_back(length, number(set));
      return true;
    });
    int32 pendingSet = pendingAt_ >= 0 ? number(pendingSet_) : 0;
    int32 n = static_cast<int32>(sets.size());
    s->XferInt32(n);
    for (int32 set : sets) {
      // Writing leaves the set as it is, so it is written in place.
      CharAttrs& attrs = const_cast<CharAttrs&>(sets_.Get(set));
      s->XferReference(attrs.style);
      ReadWriteTextAttributes(s, attrs.overrides);
    }
    n = static_cast<int32>(runs.size());
    s->XferInt32(n);
    for (auto& run : runs) {
      s->XferInt32(run.first);
      s->XferInt32(run.second);
    }
    int32 pendingAt = pendingAt_;
    s->XferInt32(pendingAt);
    s->XferInt32(pendingSet);
    return;
  }
  runs_.Clear();
  sets_.Clear();
  pendingAt_ = kInvalidTextIndex;
  pendingSet_ = 0;
  int32 setCount = 0;
  s->XferInt32(setCount);
  int64 avail = s->Available();
  if (setCount < 1 || (avail >= 0 && static_cast<int64>(setCount) * 8 > avail)) return s->SetBad();
  std::vector<int32> ids;
  for (int32 i = 0; i < setCount && !s->GetBad(); ++i) {
    CharAttrs read, attrs;
    s->XferReference(read.style);
    ReadWriteTextAttributes(s, read.overrides);
    attrs.style = read.style;
    for (auto& a : read.overrides) attrs.Set(a);  // restores the sorted form
    ids.push_back(sets_.Intern(attrs));
  }
  int32 runCount = 0;
  s->XferInt32(runCount);
  avail = s->Available();
  if (runCount < 1 || (avail >= 0 && static_cast<int64>(runCount) * 8 > avail)) return s->SetBad();
  for (int32 i = 0; i < runCount; ++i) {
    int32 length = 0, set = 0;
    s->XferInt32(length);
    s->XferInt32(set);
    if (length < 1 || set < 0 || set >= setCount) return s->SetBad();
    runs_.Append(length, ids[static_cast<size_t>(set)]);
  }
  int32 pendingAt = 0, pendingSet = 0;
  s->XferInt32(pendingAt);
  s->XferInt32(pendingSet);
  if (pendingAt < -1 || pendingAt >= runs_.Length() || pendingSet < 0 || pendingSet >= setCount) return s->SetBad();
  pendingAt_ = pendingAt;
  pendingSet_ = pendingAt >= 0 ? ids[static_cast<size_t>(pendingSet)] : 0;
}
