#include "headless/text/OwnedItemStrand.h"
#include "headless/text/LayoutDamage.h"
#include "host/IOwnedItem.h"
#include "host/InterfacePtr.h"
#include "host/ITextModel.h"
#include <algorithm>

OwnedItemStrand::OwnedItemStrand(IPMUnknown* boss) : SpanRecordingImpl(boss) {
  runs_.Track([this](int32 entry, uint32_t block) {
    if (entry == 0) return;
    if (static_cast<size_t>(entry) >= blockOf_.size()) blockOf_.resize(static_cast<size_t>(entry) + 1);
    blockOf_[static_cast<size_t>(entry)] = block;
  });
}

void OwnedItemStrand::Release(int32 entry) {
  std::vector<Anchored>& items = entries_[static_cast<size_t>(entry)];
  for (const Anchored& a : items) entryOf_.erase(a.uid);
  items.clear();
}

void OwnedItemStrand::Index(int32 entry) {
  for (const Anchored& a : entries_[static_cast<size_t>(entry)]) entryOf_[a.uid] = entry;
}

const std::vector<OwnedItemStrand::Anchored>& OwnedItemStrand::EntryAt(TextIndex at) const {
  int32 entry = runs_.ValueAt(at);
  return entries_[static_cast<size_t>(entry)];
}

UID OwnedItemStrand::GetOwnedUID(TextIndex at, ClassID cls) const {
  for (const Anchored& a : EntryAt(at))
    if (a.cls == cls) return a.uid;
  return kInvalidUID;
}

std::vector<OwnedItemInfo> OwnedItemStrand::GetOwnedItems(TextIndex start, int32 length) const {
  std::vector<OwnedItemInfo> result;
  runs_.ForEach(start, length, [&](int32 at, int32, int32 entry) {
    for (const Anchored& a : entries_[static_cast<size_t>(entry)]) result.push_back({at, a.cls, a.uid});
    return true;
  });
  return result;
}

TextIndex OwnedItemStrand::FindOwnedItem(UID item) const {
  auto it = entryOf_.find(item);
  if (it == entryOf_.end()) return kInvalidTextIndex;
  const TextIndex at = runs_.StartOfTracked(blockOf_[static_cast<size_t>(it->second)], it->second);
  return at < 0 ? kInvalidTextIndex : at;
}

void OwnedItemStrand::SetAnchor(UID item, UID story) const {
  InterfacePtr<IOwnedItem> owned(::GetDataBase(this), item, IID_IOWNEDITEM);
  if (owned) owned->SetAnchorStory(story);
}

void OwnedItemStrand::Unanchor(UID item) {
  TextIndex here = FindOwnedItem(item);
  if (here >= 0) {
    std::vector<Anchored> items = EntryAt(here);
    items.erase(std::remove_if(items.begin(), items.end(), [&](const Anchored& a) { return a.uid == item; }),
                items.end());
    Store(here, items);
    return;
  }
  InterfacePtr<IOwnedItem> owned(::GetDataBase(this), item, IID_IOWNEDITEM);
  UIDRef other = owned ? owned->GetStoryRef() : UIDRef();
  if (other.GetUID() == kInvalidUID || other.GetUID() == story_) return;
  InterfacePtr<ITextModel> story(other);
  InterfacePtr<IOwnedItemStrand> strand(
      story ? static_cast<IOwnedItemStrand*>(story->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)) : nullptr);
  TextIndex there = strand ? strand->FindOwnedItem(item) : kInvalidTextIndex;
  if (there < 0) return;
  for (const OwnedItemInfo& info : strand->GetOwnedItems(there, 1))
    if (info.uid == item) strand->SetOwnedItem(there, info.cls, kInvalidUID);
}

size_t OwnedItemStrand::Span::Bytes() const {
  size_t total = anchors.capacity() * sizeof(anchors[0]);
  for (auto& anchor : anchors) total += anchor.second.capacity() * sizeof(Anchored);
  return total;
}

OwnedItemStrand::Span OwnedItemStrand::Read(TextIndex at, int32 count) const {
  Span span;
  runs_.ForEach(at, count, [&](int32 start, int32 length, int32 entry) {
    span.length += length;
    if (entry != 0) span.anchors.emplace_back(start - at, entries_[static_cast<size_t>(entry)]);
    return true;
  });
  return span;
}

// The items' own anchors come back with the items' states.
void OwnedItemStrand::Put(TextIndex at, int32 replaced, const Span& span) {
  const bool removed = Remove(at, replaced);
  runs_.InsertSpace(at, span.length, 0);
  for (auto& anchor : span.anchors) Place(at + anchor.first, anchor.second);
  if (removed || !span.anchors.empty()) LayoutDamage::Record(::GetDataBase(this), story_, {at, 0, 0});
}

bool OwnedItemStrand::Remove(TextIndex at, int32 count) {
  bool any = false;
  runs_.ForEach(at, count, [&](int32, int32, int32 entry) {
    if (entry != 0) {
      Release(entry);
      free_.push_back(entry);
      any = true;
    }
    return true;
  });
  runs_.DeleteRange(at, count);
  return any;
}

void OwnedItemStrand::Store(TextIndex at, std::vector<Anchored> items) {
  Span before;
  const bool record = Begin(at, 1, &before);
  Place(at, std::move(items));
  if (record) End(at, 1, std::move(before));
}

void OwnedItemStrand::Place(TextIndex at, std::vector<Anchored> items) {
  int32 entry = runs_.ValueAt(at);
  if (entry != 0) Release(entry);
  if (items.empty()) {
    if (entry != 0) {
      free_.push_back(entry);
      runs_.FillRange(at, 1, 0);
    }
    return;
  }
  std::sort(items.begin(), items.end(),
            [](const Anchored& a, const Anchored& b) { return IdValue(a.cls) < IdValue(b.cls); });
  if (entry == 0) {
    if (!free_.empty()) {
      entry = free_.back();
      free_.pop_back();
    } else {
      entry = static_cast<int32>(entries_.size());
      entries_.emplace_back();
    }
    runs_.FillRange(at, 1, entry);
  }
  entries_[static_cast<size_t>(entry)] = std::move(items);
  Index(entry);
}

bool16 OwnedItemStrand::SetOwnedItem(TextIndex at, ClassID cls, UID item) {
  if (at < 0 || at >= runs_.Length() || cls == kInvalidClass) return false;
  if (item != kInvalidUID && GetOwnedUID(at, cls) == item) return true;
  if (item != kInvalidUID) Unanchor(item);
  std::vector<Anchored> items = EntryAt(at);
  auto same = std::find_if(items.begin(), items.end(), [&](const Anchored& a) { return a.cls == cls; });
  if (same != items.end()) {
    SetAnchor(same->uid, kInvalidUID);
    items.erase(same);
  }
  if (item != kInvalidUID) {
    items.push_back({cls, item});
    SetAnchor(item, story_);
  }
  Store(at, std::move(items));
  // The item's line hears of it when next composed.
  LayoutDamage::Record(::GetDataBase(this), story_, {at, 0, 0});
  return true;
}

void OwnedItemStrand::Reset(UID story) {
  PreDirty();
  story_ = story;
  runs_.Clear();
  runs_.Append(1, 0);
  entries_.assign(1, {});
  free_.clear();
  entryOf_.clear();
}

void OwnedItemStrand::Inserted(TextIndex at, int32 count) {
  if (at < 0 || at >= runs_.Length() || count <= 0) return;
  Span before;
  const bool record = Begin(at, 0, &before);
  runs_.InsertSpace(at, count, 0);
  if (record) End(at, count, std::move(before));
}

void OwnedItemStrand::Deleted(TextIndex at, int32 count) {
  Span before;
  const bool record = Begin(at, count, &before);
  for (const OwnedItemInfo& info : GetOwnedItems(at, count)) SetAnchor(info.uid, kInvalidUID);
  Remove(at, count);
  if (record) End(at, 0, std::move(before));
}

// The story, the length, then each anchor character: its index and its items.
void OwnedItemStrand::ReadWrite(IPMStream* s, ImplementationID) {
  if (s->IsReading()) LayoutDamage::ForgetAll();
  s->XferReference(story_);
  int32 length = runs_.Length();
  s->XferInt32(length);
  if (s->IsWriting()) {
    std::vector<std::pair<TextIndex, int32>> anchors;
    runs_.ForEach(0, length, [&](int32 at, int32, int32 entry) {
      if (entry != 0) anchors.emplace_back(at, entry);
      return true;
    });
    int32 n = static_cast<int32>(anchors.size());
    s->XferInt32(n);
    for (auto& anchor : anchors) {
      int32 at = anchor.first;
      s->XferInt32(at);
      auto items = entries_[static_cast<size_t>(anchor.second)];
      int32 k = static_cast<int32>(items.size());
      s->XferInt32(k);
      for (auto& item : items) {
        uint32 cls = IdValue(item.cls);
        s->XferUInt32(cls);
        s->XferReference(item.uid);
      }
    }
    return;
  }
  runs_.Clear();
  entries_.assign(1, {});
  free_.clear();
  entryOf_.clear();
  int32 n = 0;
  s->XferInt32(n);
  int64 avail = s->Available();
  if (length < 1 || n < 0 || (avail >= 0 && static_cast<int64>(n) * 16 > avail)) return s->SetBad();
  int32 covered = 0;
  for (int32 i = 0; i < n; ++i) {
    int32 at = 0, k = 0;
    s->XferInt32(at);
    s->XferInt32(k);
    avail = s->Available();
    if (at < covered || at >= length || k < 1 || (avail >= 0 && static_cast<int64>(k) * 8 > avail)) return s->SetBad();
    std::vector<Anchored> items;
    for (int32 j = 0; j < k; ++j) {
      uint32 cls = 0;
      UID uid = kInvalidUID;
      s->XferUInt32(cls);
      s->XferReference(uid);
      bool repeated = std::any_of(items.begin(), items.end(), [&](const Anchored& a) { return a.cls == ClassID{cls}; });
      if (cls == 0 || repeated) return s->SetBad();
      if (uid != kInvalidUID) items.push_back({ClassID{cls}, uid});  // references into another database drop out
    }
    if (items.empty()) continue;
    runs_.Append(at - covered, 0);
    runs_.Append(1, static_cast<int32>(entries_.size()));
    entries_.push_back(std::move(items));
    Index(static_cast<int32>(entries_.size()) - 1);
    covered = at + 1;
  }
  runs_.Append(length - covered, 0);
}
