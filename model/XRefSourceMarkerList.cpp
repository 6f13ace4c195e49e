// The document's source markers in list order, with two caches kept along
// with every change made through the list and dropped when the list is read
// back or a name changes: markers by name, and the list's runs by story.
// Only the list persists.
#include "engine/XRefSchedulerReports.h"
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefStoryRuns.h"
#include "model/XRefListMembers.h"
#include "model/XRefNameKey.h"
#include "model/XRefRenamedMarkers.h"
#include <algorithm>
#include <unordered_map>

namespace {
class XRefSourceMarkerList : public CPMUnknown<IXRefSourceMarkerList> {
public:
  explicit XRefSourceMarkerList(IPMUnknown* boss)
      : CPMUnknown<IXRefSourceMarkerList>(boss), markers_(::GetDataBase(this)) {}

  UIDList GetMarkers() const override { return markers_; }
  int32 GetMarkerCount() const override { return markers_.Length(); }

  UIDRef GetMarkerRef(int32 index) const override {
    return InList(index) ? markers_.GetRef(index) : UIDRef();
  }
  UID GetMarkerUID(int32 index) const override { return InList(index) ? markers_.At(index) : kInvalidUID; }

  IXRefSourceMarker* QueryMarker(int32 index) const override {
    InterfacePtr<IXRefSourceMarker> marker(GetMarkerRef(index));
    return marker.forget();
  }

  IXRefSourceMarker* QueryMarkerByName(const PMString& name) override {
    const UID found = Named(name);
    if (found == kInvalidUID) return nullptr;
    InterfacePtr<IXRefSourceMarker> marker(markers_.GetDataBase(), found);
    return marker.forget();
  }

  PMString GetMarkerNameAt(int32 index) const override {
    InterfacePtr<IXRefSourceMarker> marker(QueryMarker(index));
    return marker ? marker->GetMarkerName() : PMString();
  }

  int32 FindMarker(UID marker) const override { return markers_.Location(marker); }

  bool16 HasMarker(const PMString& name) override { return Named(name) != kInvalidUID; }

  PMString GetCopyName(const PMString& base) override {
    PMString copyWord("QX#0xF2C#kXRefCopyKey");
    copyWord.Translate();
    PMString candidate = base;
    for (int32 i = 1; HasMarker(candidate); ++i) {
      candidate = base;
      candidate.Append(copyWord);
      if (i > 1) {
        candidate.Append(" ");
        candidate.AppendNumber(i);
      }
    }
    return candidate;
  }

  void AddMarker(UID marker, int32 position) override {
    InterfacePtr<IXRefSourceMarker> added(markers_.GetDataBase(), marker);
    if (!added || members_.Contains(markers_, marker)) return;
    PreDirty();
    // A position past the end appends rather than corrupting the list.
    const int32 at = position >= 0 ? std::min(position, markers_.Length()) : TextOrderPosition(added.get());
    markers_.Insert(marker, at);
    members_.Added(marker);
    runs_.Inserted(at, added->GetStoryRef().GetUID());
    FollowRenames();
    if (indexValid_) IndexName(marker, added->GetMarkerName());
    Changed();
  }

  void RemoveMarker(UID marker) override {
    int32 at = markers_.Location(marker);
    if (at < 0) return;
    PreDirty();
    markers_.Remove(at);
    members_.Removed(markers_, marker);
    runs_.Removed(at);
    FollowRenames();
    if (indexValid_) UnindexName(marker);
    Changed();
  }

  void InvalidateNameIndex() override {
    // Undoing a rename restores the marker alone; recorded with it, the list
    // is read back on undo and redo too, and reading drops the index.
    PreDirty();
    indexValid_ = false;
  }

  void ReadWrite(IPMStream* s, ImplementationID) {
    const std::vector<UID> before = s->IsReading() ? markers_.Items() : std::vector<UID>();
    markers_.ReadWriteXferReference(s);
    members_.Invalidate();
    if (s->IsReading()) {
      markers_.SetDataBase(::GetDataBase(this));
      // A rename's undo reads the list back to drop the names; the runs
      // follow an undone or redone addition or removal.
      indexValid_ = false;
      runs_.Follow(before, markers_.Items(), [this](UID uid) { return StoryOf(uid); });
    }
  }

private:
  bool InList(int32 index) const { return index >= 0 && index < markers_.Length(); }

  void Changed() { XRefSchedulerReports::MarkAllCrossRefs(markers_.GetDataBase(), false); }

  // Where a marker goes in text order: within its story's run, after every
  // marker anchored at or before it; a story not yet listed, or no story,
  // goes to the end. The run is searched by halves; should the runs have
  // gone stale (a listed marker now in another story), they are rebuilt
  // and the list walked.
  int32 TextOrderPosition(IXRefSourceMarker* added) {
    const UIDRef story = added->GetStoryRef();
    const TextIndex at = added->GetTextIndex();
    if (!story.GetDataBase() || story.GetUID() == kInvalidUID) return markers_.Length();
    if (!runs_.Valid()) runs_.Assign(StoryOfEach());
    int32 first = 0, length = 0, runs = 0;
    if (!runs_.Find(story.GetUID(), &first, &length, &runs)) return markers_.Length();
    const int32 found = XRefStoryRuns::SearchRun(first, length, at, [&](int32 entry, TextIndex* start) {
      InterfacePtr<IXRefSourceMarker> listed(QueryMarker(entry));
      if (!listed || listed->GetStoryRef() != story) return false;
      *start = listed->GetTextIndex();
      return true;
    });
    if (found >= 0) return found;
    runs_.Assign(StoryOfEach());
    return WalkedTextOrderPosition(story, at);
  }

  int32 WalkedTextOrderPosition(const UIDRef& story, TextIndex at) const {
    int32 run = -1;
    for (int32 i = 0; i < markers_.Length(); ++i) {
      InterfacePtr<IXRefSourceMarker> listed(QueryMarker(i));
      if (!listed) break;
      if (listed->GetStoryRef() == story) {
        run = i;
        if (at < listed->GetTextIndex()) break;
        run = i + 1;
      } else if (run >= 0) {
        break;
      }
    }
    return run < 0 ? markers_.Length() : run;
  }

  UID StoryOf(UID uid) const {
    InterfacePtr<IXRefSourceMarker> marker(markers_.GetDataBase(), uid);
    return marker ? marker->GetStoryRef().GetUID() : kInvalidUID;
  }

  std::vector<UID> StoryOfEach() const {
    std::vector<UID> stories;
    stories.reserve(static_cast<size_t>(markers_.Length()));
    for (UID uid : markers_.Items()) stories.push_back(StoryOf(uid));
    return stories;
  }

  // The listed marker with this name ignoring case (of several, the one
  // later in the list); kInvalidUID when none.
  UID Named(const PMString& name) {
    BuildNameIndex();
    auto it = byName_.find(XRefNameKey(name).Units());
    if (it == byName_.end() || it->second.empty()) return kInvalidUID;
    const std::vector<UID>& uids = it->second;
    if (uids.size() == 1) return uids.front();
    return *std::max_element(uids.begin(), uids.end(),
                             [&](UID a, UID b) { return markers_.Location(a) < markers_.Location(b); });
  }

  void IndexName(UID marker, const PMString& name) {
    const std::u16string key = XRefNameKey(name).Units();
    byName_[key].push_back(marker);
    keyOf_[marker] = key;
  }

  void UnindexName(UID marker) {
    auto key = keyOf_.find(marker);
    if (key == keyOf_.end()) return;
    auto named = byName_.find(key->second);
    if (named != byName_.end()) {
      std::vector<UID>& uids = named->second;
      uids.erase(std::remove(uids.begin(), uids.end(), marker), uids.end());
      if (uids.empty()) byName_.erase(named);
    }
    keyOf_.erase(key);
  }

  // A change of the list brings the index up to date with every name, as a
  // rebuild would: the markers renamed since are filed again.
  void FollowRenames() {
    const std::vector<UID> renamed = XRefRenamedMarkers::Take(markers_.GetDataBase());
    if (!indexValid_) return;
    for (UID uid : renamed) {
      if (!keyOf_.count(uid)) continue;
      UnindexName(uid);
      InterfacePtr<IXRefSourceMarker> marker(markers_.GetDataBase(), uid);
      if (marker) IndexName(uid, marker->GetMarkerName());
    }
  }

  void BuildNameIndex() {
    if (indexValid_) return;
    XRefRenamedMarkers::Take(markers_.GetDataBase());
    byName_.clear();
    keyOf_.clear();
    for (int32 i = 0; i < markers_.Length(); ++i) {
      InterfacePtr<IXRefSourceMarker> marker(QueryMarker(i));
      if (marker) IndexName(markers_.At(i), marker->GetMarkerName());
    }
    indexValid_ = true;
  }

  UIDList markers_;
  // Caches. While indexValid_, byName_ holds every listed marker that can be
  // instantiated under its lower-cased name, and keyOf_ the key of each.
  std::unordered_map<std::u16string, std::vector<UID>> byName_;
  std::unordered_map<UID, std::u16string> keyOf_;
  bool16 indexValid_ = false;
  XRefListMembers members_;
  XRefStoryRuns runs_;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefSourceMarkerList, kXRefSourceMarkerListImpl);
