// The source marker's own data, and where its anchor is, from its owned-item
// interface on the same object.
#include "host/CPMUnknown.h"
#include "host/IHyperlinkTextMarker.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/IPMStream.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarker.h"
#include "model/XRefRenamedMarkers.h"

namespace {
class XRefSourceMarker : public CPMUnknown<IXRefSourceMarker> {
public:
  explicit XRefSourceMarker(IPMUnknown* boss) : CPMUnknown<IXRefSourceMarker>(boss) { name_.SetTranslatable(false); }

  void SetMarkerName(const PMString& name) override {
    if (name == name_) return;
    PreDirty();
    name_ = name;
    name_.SetTranslatable(false);
    XRefRenamedMarkers::Note(::GetDataBase(this), ::GetUID(this));
  }
  PMString GetMarkerName() const override { return name_; }
  void SetMarkerTime(const GlobalTime&) override {}
  GlobalTime GetMarkerTime() const override { return time_; }

  UIDRef GetStoryRef() const override {
    InterfacePtr<IOwnedItem> item(this, IID_IOWNEDITEM);
    // An object that remembers a story but is no longer anchored in it (a
    // copy not yet placed, say) is in no story.
    if (!item || item->GetTextIndex() < 0) return UIDRef();
    return item->GetStoryRef();
  }

  ITextModel* QueryStory() const override {
    InterfacePtr<ITextModel> story(GetStoryRef());
    return story.forget();
  }

  TextIndex GetTextIndex() const override {
    InterfacePtr<IOwnedItem> item(this, IID_IOWNEDITEM);
    return item ? item->GetTextIndex() : kInvalidTextIndex;
  }

  UIDRef GetHyperlinkDestination() const override {
    InterfacePtr<ITextModel> story(QueryStory());
    TextIndex at = GetTextIndex();
    if (!story || at < 0) return UIDRef();
    InterfacePtr<IOwnedItemStrand> strand(
        static_cast<IOwnedItemStrand*>(story->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
    if (!strand) return UIDRef();
    IDataBase* db = ::GetDataBase(this);
    InterfacePtr<IHyperlinkTextMarker> marker(db, strand->GetOwnedUID(at + 1, kHyperlinkTextMarkerBoss));
    UID destination = marker ? marker->GetDestinationUID() : kInvalidUID;
    return destination != kInvalidUID ? UIDRef(db, destination) : UIDRef();
  }

  void ReadWrite(IPMStream* s, ImplementationID) {
    name_.ReadWrite(s);
    time_.ReadWrite(s);
    if (!s->IsReading()) return;
    name_.SetTranslatable(false);
    XRefRenamedMarkers::Note(::GetDataBase(this), ::GetUID(this));
  }

private:
  PMString name_;
  GlobalTime time_;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefSourceMarker, kXRefSourceMarkerImpl);
