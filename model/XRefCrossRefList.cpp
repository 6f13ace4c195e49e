// The document's cross-references. Invariant: only the list persists; the
// lookup indexes and the text-order cache are rebuilt from it when marked
// invalid. The text-order cache holds the list as runs of one story's
// entries, so that an insertion finds its story's run without visiting
// every entry, and its place within the run by binary search; it follows
// additions and removals, undone and redone ones too.
#include "host/CPMUnknown.h"
#include "host/IOwnedItemStrand.h"
#include "host/IPMStream.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/TextIDs.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefModelID.h"
#include "model/XRefListMembers.h"
#include "model/XRefNameKey.h"
#include "model/XRefSourcePath.h"
#include "model/XRefStoryRuns.h"
#include <algorithm>
#include <map>
#include <unordered_set>
#include <vector>

namespace {
class XRefCrossRefList : public CPMUnknown<IXRefCrossRefList> {
public:
  explicit XRefCrossRefList(IPMUnknown* boss)
      : CPMUnknown<IXRefCrossRefList>(boss), crossRefs_(::GetDataBase(this)) {}

  UIDList GetCrossRefs() const override { return crossRefs_; }
  int32 GetCrossRefCount() const override { return crossRefs_.Length(); }
  IXRefCrossRef* QueryCrossRef(int32 index) const override {
    InterfacePtr<IXRefCrossRef> crossRef(GetCrossRefRef(index));
    return crossRef.forget();
  }
  UIDRef GetCrossRefRef(int32 index) const override { return InList(index) ? crossRefs_.GetRef(index) : UIDRef(); }
  UID GetCrossRefUID(int32 index) const override { return InList(index) ? crossRefs_.At(index) : kInvalidUID; }
  int32 FindCrossRef(UID crossRef) const override { return crossRefs_.Location(crossRef); }

  UIDList GetCrossRefsByFormat(const PMString& name) override { return Lookup(byFormat_, XRefNameKey(name)); }
  UIDList GetCrossRefsBySourceMarker(const PMString& name) override { return Lookup(byMarker_, XRefNameKey(name)); }
  UIDList GetCrossRefsBySourceDocument(const IDFile& document) override {
    return Lookup(byDocument_, XRefNameKey(XRefSourcePath::PathText(document)));
  }

  UIDList GetCrossRefsBySource(const IDFile& document, const PMString& markerName) override {
    const UIDList byDocument = GetCrossRefsBySourceDocument(document);
    const UIDList byMarker = GetCrossRefsBySourceMarker(markerName);
    UIDList result(crossRefs_.GetDataBase());
    if (byDocument.IsEmpty() || byMarker.IsEmpty()) return result;
    const std::unordered_set<uint32_t> named = Members(byMarker);
    for (UID uid : byDocument.Items())
      if (named.count(UIDValue(uid))) result.Append(uid);
    return result;
  }

  int32 GetBrokenLocalCount() override {
    BuildIndex();
    return brokenLocal_.Length();
  }
  int32 GetBrokenExternalCount() override {
    BuildIndex();
    return brokenExternal_.Length();
  }
  int32 GetUnreachableDocumentCount() override {
    BuildIndex();
    return static_cast<int32>(unreachable_.size());
  }
  IDFile GetUnreachableDocument(int32 index) override {
    BuildIndex();
    return index >= 0 && index < static_cast<int32>(unreachable_.size()) ? unreachable_[static_cast<size_t>(index)]
                                                                          : IDFile();
  }

  void AddCrossRef(UID crossRef, int32 position) override {
    BuildOrder();
    if (members_.Contains(crossRefs_, crossRef)) return;
    PreDirty();
    InterfacePtr<IXRefCrossRef> added(crossRefs_.GetDataBase(), crossRef);
    if (!added) return;
    // A position past the end appends rather than corrupting the list.
    if (position >= 0)
      InsertAt(crossRef, std::min(position, crossRefs_.Length()), StoryOf(added.get()));
    else
      InsertInTextOrder(crossRef, added.get());
    indexValid_ = false;
  }

  int32 RemoveCrossRef(UID crossRef) override {
    const int32 at = crossRefs_.Location(crossRef);
    if (at < 0) return at;
    PreDirty();
    crossRefs_.Remove(at);
    members_.Removed(crossRefs_, crossRef);
    RemoveFromOrder(at);
    indexValid_ = false;
    return 0;
  }

  void InvalidateIndex() override {
    // Callers change cross-references the index files by name; undoing that
    // restores the cross-references alone. Recorded with them, the list is
    // read back on undo and redo too, and reading drops the index.
    PreDirty();
    indexValid_ = false;
  }

  void ReadWrite(IPMStream* s, ImplementationID) {
    const std::vector<UID> before = s->IsReading() ? crossRefs_.Items() : std::vector<UID>();
    crossRefs_.ReadWriteXferObject(s);
    members_.Invalidate();
    if (!s->IsReading()) return;
    crossRefs_.SetDataBase(::GetDataBase(this));
    indexValid_ = false;
    // An undone or redone addition or removal is followed; the runs need
    // only the one entry's story.
    runs_.Follow(before, crossRefs_.Items(), [this](UID uid) {
      InterfacePtr<IXRefCrossRef> crossRef(crossRefs_.GetDataBase(), uid);
      return crossRef ? StoryOf(crossRef.get()) : kInvalidUID;
    });
  }

private:
  using Index = std::map<PMString, UIDList>;

  bool InList(int32 index) const { return index >= 0 && index < crossRefs_.Length(); }

  static UID StoryOf(const IXRefCrossRef* crossRef) { return crossRef->GetStoryRef().GetUID(); }

  static std::unordered_set<uint32_t> Members(const UIDList& list) {
    std::unordered_set<uint32_t> set;
    for (UID uid : list.Items()) set.insert(UIDValue(uid));
    return set;
  }

  UIDList Lookup(Index& index, const PMString& key) {
    BuildIndex();
    auto it = index.find(key);
    return it == index.end() ? UIDList(crossRefs_.GetDataBase()) : it->second;
  }

  // Before the first of the story's cross-references that starts later,
  // after its last otherwise; at the end for a new story or a cross-reference
  // without both markers.
  void InsertInTextOrder(UID crossRef, IXRefCrossRef* added) {
    const UID story = StoryOf(added);
    if (added->GetStartMarker() == kInvalidUID || added->GetEndMarker() == kInvalidUID || story == kInvalidUID)
      return InsertAt(crossRef, crossRefs_.Length(), story);
    const TextIndex start = added->GetStartIndex();
    int32 runStart = 0, runLength = 0, runs = 0;
    if (!runs_.Find(story, &runStart, &runLength, &runs)) return InsertAt(crossRef, crossRefs_.Length(), story);
    auto startOf = [&](int32 entry, TextIndex* at) {
      InterfacePtr<IXRefCrossRef> listed(QueryCrossRef(entry));
      if (!listed || StoryOf(listed.get()) != story) return false;
      *at = listed->GetStartIndex();
      return true;
    };
    int32 at = runs == 1 ? AfterNearestBefore(story, start, runStart, runLength, startOf) : -1;
    if (at < 0 && runs == 1) at = XRefStoryRuns::SearchRun(runStart, runLength, start, startOf);
    if (at < 0) at = ScanAll(story, start);
    InsertAt(crossRef, at, story);
  }

  // The entry after the listed cross-reference whose start marker is the
  // nearest before `start` in the story: asking the listed ones where they
  // start costs a lookup of their anchors each, far apart in a long story,
  // while the anchors just before `start` are near. Only a few thousand
  // characters back are read; -1 when no listed start marker is there, or
  // when the entry that would follow does not start later (the search by
  // halves answers then).
  template <class StartOf>
  int32 AfterNearestBefore(UID story, TextIndex start, int32 runStart, int32 runLength, StartOf& startOf) {
    IDataBase* db = crossRefs_.GetDataBase();
    InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
    InterfacePtr<IOwnedItemStrand> owned(
        model ? static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND))
              : nullptr);
    if (!owned) return -1;
    constexpr TextIndex kWindow = 2048, kReach = 4 * kWindow;
    // The new cross-reference's own start marker, at start - 1, is not listed.
    TextIndex hi = start - 1;
    int32 at = -1;
    while (at < 0 && hi > 0 && start - hi <= kReach) {
      const TextIndex lo = std::max<TextIndex>(0, hi - kWindow);
      const std::vector<OwnedItemInfo> items = owned->GetOwnedItems(lo, hi - lo);
      for (auto item = items.rbegin(); item != items.rend() && at < 0; ++item) {
        if (item->cls != kXRefCrossRefStartMarkerBoss) continue;
        InterfacePtr<IXRefCrossRefTextMarker> marker(db, item->uid, IID_IXREFCROSSREFTEXTMARKER);
        const int32 listed = marker ? LocationInRun(marker->GetMarkerCrossRef(), runStart, runLength) : -1;
        if (listed >= 0) at = listed + 1;
      }
      hi = lo;
    }
    // None listed before it in the whole story: it comes first.
    if (at < 0 && hi <= 0) at = runStart;
    if (at < 0) return -1;
    TextIndex next = 0;
    if (at < runStart + runLength && (!startOf(at, &next) || next <= start)) return -1;
    return at;
  }

  // The entry of the run holding `uid`, -1 when none does; from the run's
  // end, where cross-references placed in text order are found at once.
  int32 LocationInRun(UID uid, int32 runStart, int32 runLength) const {
    for (int32 i = runStart + runLength; i-- > runStart;)
      if (crossRefs_.At(i) == uid) return i;
    return -1;
  }

  // The whole list in order, for a story whose entries are not together.
  int32 ScanAll(UID story, TextIndex start) {
    runs_.Invalidate();
    int32 after = -1;
    for (int32 i = 0; i < crossRefs_.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> listed(QueryCrossRef(i));
      if (!listed || StoryOf(listed.get()) != story) continue;
      if (start < listed->GetStartIndex()) return i;
      after = i + 1;
    }
    return after < 0 ? crossRefs_.Length() : after;
  }

  void InsertAt(UID crossRef, int32 at, UID story) {
    crossRefs_.Insert(crossRef, at);
    members_.Added(crossRef);
    runs_.Inserted(at, story);
  }

  void RemoveFromOrder(int32 at) { runs_.Removed(at); }

  void BuildOrder() {
    if (runs_.Valid()) return;
    std::vector<UID> stories;
    stories.reserve(static_cast<size_t>(crossRefs_.Length()));
    for (int32 i = 0; i < crossRefs_.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> listed(QueryCrossRef(i));
      stories.push_back(listed ? StoryOf(listed.get()) : kInvalidUID);
    }
    runs_.Assign(stories);
  }

  static void AppendTo(Index& index, const PMString& key, UID uid, IDataBase* db) {
    auto it = index.find(key);
    if (it == index.end()) it = index.emplace(key, UIDList(db)).first;
    it->second.Append(uid);
  }

  void BuildIndex() {
    if (indexValid_) return;
    IDataBase* db = crossRefs_.GetDataBase();
    byFormat_.clear();
    byMarker_.clear();
    byDocument_.clear();
    brokenLocal_ = UIDList(db);
    brokenExternal_ = UIDList(db);
    unreachable_.clear();
    for (int32 i = 0; i < crossRefs_.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(QueryCrossRef(i));
      if (!crossRef) break;
      const UID uid = crossRefs_.At(i);
      if (!crossRef->GetFormatName().IsEmpty()) AppendTo(byFormat_, XRefNameKey(crossRef->GetFormatName()), uid, db);
      if (!crossRef->GetSourceMarkerName().IsEmpty())
        AppendTo(byMarker_, XRefNameKey(crossRef->GetSourceMarkerName()), uid, db);
      const IDFile source = crossRef->GetSourceDocument();
      const PMString path = XRefSourcePath::PathText(source);
      if (!path.IsEmpty()) AppendTo(byDocument_, XRefNameKey(path), uid, db);
      if (!crossRef->IsSourceBroken()) continue;
      if (!crossRef->IsExternal()) {
        brokenLocal_.Append(uid);
        continue;
      }
      brokenExternal_.Append(uid);
      if (std::find(unreachable_.begin(), unreachable_.end(), source) == unreachable_.end())
        unreachable_.push_back(source);
    }
    indexValid_ = true;
  }

  UIDList crossRefs_;
  // Caches.
  Index byFormat_, byMarker_, byDocument_;
  UIDList brokenLocal_, brokenExternal_;
  std::vector<IDFile> unreachable_;
  bool16 indexValid_ = false;
  XRefStoryRuns runs_;
  XRefListMembers members_;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefCrossRefList, kXRefCrossRefListImpl);
