#pragma once
// Owned items by anchor character: runs of entry numbers over the story's
// positions, where 0 means nothing is anchored and any other number names
// the list of (class, item) anchored at that one character.
//
// Invariants: a non-zero run is one character long and its entry is used
// by no other run; an entry holds at least one item, at most one per class,
// sorted by class; an item appears at most once in the strand. entryOf_
// names the entry of every anchored item and blockOf_ the storage block of
// every entry in use, so that an item is found without a scan.
#include "headless/text/SpanEdit.h"
#include "host/IOwnedItemStrand.h"
#include "host/IPMStream.h"
#include <cstdint>
#include <unordered_map>
#include <vector>

class OwnedItemStrand : public SpanRecordingImpl<OwnedItemStrand, IOwnedItemStrand> {
public:
  explicit OwnedItemStrand(IPMUnknown* boss);
  UID GetOwnedUID(TextIndex at, ClassID cls) const override;
  std::vector<OwnedItemInfo> GetOwnedItems(TextIndex start, int32 length) const override;
  TextIndex FindOwnedItem(UID item) const override;
  bool16 SetOwnedItem(TextIndex at, ClassID cls, UID item) override;

  int32 Length() const { return runs_.Length(); }
  // A new story's strand: one character, nothing anchored.
  void Reset(UID story);
  void Inserted(TextIndex at, int32 count);
  // Items still anchored in the deleted range lose their anchor.
  void Deleted(TextIndex at, int32 count);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  struct Anchored {
    ClassID cls;
    UID uid;
    bool operator==(const Anchored& o) const { return cls == o.cls && uid == o.uid; }
  };
  // A span's anchors by their offset in it: the items themselves, since
  // entry numbers are reused.
  struct Span {
    int32 length = 0;
    std::vector<std::pair<int32, std::vector<Anchored>>> anchors;
    int32 Length() const { return length; }
    size_t Bytes() const;
    bool operator==(const Span& o) const { return length == o.length && anchors == o.anchors; }
  };
  template <class, class>
  friend class SpanEdit;
  friend class SpanRecordingImpl;
  Span Read(TextIndex at, int32 count) const;
  void Put(TextIndex at, int32 replaced, const Span& span);
  // The anchors of [at, at + count) go, with their positions; true when
  // there were any.
  bool Remove(TextIndex at, int32 count);
  // Anchors the items at `at` (none: clears it), leaving the items alone.
  void Place(TextIndex at, std::vector<Anchored> items);
  // Tells an item which story it is anchored in (kInvalidUID: none).
  void SetAnchor(UID item, UID story) const;
  // Removes an item anchored elsewhere, in this story or another.
  void Unanchor(UID item);
  void Store(TextIndex at, std::vector<Anchored> items);
  const std::vector<Anchored>& EntryAt(TextIndex at) const;
  // Clears an entry, forgetting where its items were.
  void Release(int32 entry);
  void Index(int32 entry);

  UID story_ = kInvalidUID;
  RunStyles<int32> runs_;
  std::vector<std::vector<Anchored>> entries_{1};  // entry 0 is "nothing"
  std::vector<int32> free_;
  // Indexes, never written: kept with every change and rebuilt on reading.
  std::unordered_map<UID, int32> entryOf_;
  std::vector<uint32_t> blockOf_;
};
