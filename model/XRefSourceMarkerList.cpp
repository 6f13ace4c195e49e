// The document's source markers in list order, with a name index rebuilt
// lazily after every change. Only the list persists.
#include "engine/XRefSchedulerReports.h"
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefNameKey.h"
#include <map>

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
    BuildNameIndex();
    auto it = index_.find(XRefNameKey(name));
    return it == index_.end() ? nullptr : QueryMarker(it->second);
  }

  PMString GetMarkerNameAt(int32 index) const override {
    InterfacePtr<IXRefSourceMarker> marker(QueryMarker(index));
    return marker ? marker->GetMarkerName() : PMString();
  }

  int32 FindMarker(UID marker) const override { return markers_.Location(marker); }

  bool16 HasMarker(const PMString& name) override {
    BuildNameIndex();
    return index_.count(XRefNameKey(name)) != 0;
  }

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
    if (markers_.Contains(marker)) return;
    PreDirty();
    InterfacePtr<IXRefSourceMarker> added(markers_.GetDataBase(), marker);
    if (!added) return;
    if (position >= 0)
      // A position past the end appends rather than corrupting the list.
      markers_.Insert(marker, std::min(position, markers_.Length()));
    else
      markers_.Insert(marker, TextOrderPosition(added.get()));
    Changed();
  }

  void RemoveMarker(UID marker) override {
    int32 at = markers_.Location(marker);
    if (at < 0) return;
    PreDirty();
    markers_.Remove(at);
    Changed();
  }

  void InvalidateNameIndex() override {
    // Undoing a rename restores the marker alone; recorded with it, the list
    // is read back on undo and redo too, and reading drops the index.
    PreDirty();
    indexValid_ = false;
  }

  void ReadWrite(IPMStream* s, ImplementationID) {
    markers_.ReadWriteXferReference(s);
    if (s->IsReading()) {
      markers_.SetDataBase(::GetDataBase(this));
      indexValid_ = false;
    }
  }

private:
  bool InList(int32 index) const { return index >= 0 && index < markers_.Length(); }

  void Changed() {
    indexValid_ = false;
    XRefSchedulerReports::MarkAllCrossRefs(markers_.GetDataBase(), false);
  }

  // Where a marker goes in text order: within its story's run, after every
  // marker anchored at or before it; a story not yet listed, or no story,
  // goes to the end.
  int32 TextOrderPosition(IXRefSourceMarker* added) const {
    const UIDRef story = added->GetStoryRef();
    const TextIndex at = added->GetTextIndex();
    if (!story.GetDataBase() || story.GetUID() == kInvalidUID) return markers_.Length();
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

  void BuildNameIndex() {
    if (indexValid_) return;
    index_.clear();
    for (int32 i = 0; i < markers_.Length(); ++i) {
      InterfacePtr<IXRefSourceMarker> marker(QueryMarker(i));
      if (marker) index_[XRefNameKey(marker->GetMarkerName())] = i;
    }
    indexValid_ = true;
  }

  UIDList markers_;
  std::map<PMString, int32> index_;  // lower-cased name -> position; a cache
  bool16 indexValid_ = false;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefSourceMarkerList, kXRefSourceMarkerListImpl);
