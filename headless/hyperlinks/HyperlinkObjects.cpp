#include "headless/hyperlinks/HyperlinkObjects.h"
#include "host/CmdUtils.h"
#include "host/IControllingUnknown.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/TextRanges.h"
#include <algorithm>
#include <limits>

ICommand* HyperlinkAnchorOwnedItem::QueryDeleteCommand() {
  InterfacePtr<IHyperlinkTextMarker> marker(this, IID_IHYPERLINKTEXTMARKER);
  IDataBase* db = ::GetDataBase(this);
  if (!marker || marker->GetDestinationUID() == kInvalidUID) return COwnedItem::QueryDeleteCommand();
  ICommand* cmd = CmdUtils::CreateCommand(kDeleteHyperlinkDestinationCmdBoss);
  if (cmd) cmd->SetItemList(UIDList(db, marker->GetDestinationUID()));
  return cmd;
}

void HyperlinkTextMarkerImpl::SetDestination(UID destination) {
  if (destination == destination_) return;
  PreDirty();
  destination_ = destination;
}

void HyperlinkTextMarkerImpl::ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(destination_); }

TextIndex HyperlinkDestinationImpl::GetIndex() const {
  IDataBase* db = ::GetDataBase(this);
  InterfacePtr<ITextModel> model(db, story_, IID_ITEXTMODEL);
  if (!model || anchor_ == kInvalidUID) return -1;
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  return strand ? strand->FindOwnedItem(anchor_) : -1;
}

void HyperlinkDestinationImpl::Set(const PMString& name, UID story, UID anchor) {
  PreDirty();
  name_ = name;
  story_ = story;
  anchor_ = anchor;
}

void HyperlinkDestinationImpl::ReadWrite(IPMStream* s, ImplementationID) {
  name_.ReadWrite(s);
  s->XferReference(story_);
  s->XferObject(anchor_);
}

void HyperlinkSourceRangeImpl::TextInserted(TextIndex at, int32 count) {
  if (count <= 0 || at >= TextRangeEnd(start_, length_)) return;
  // A damaged range beyond the reach of any story stays as it is.
  if (TextRangeEnd(start_, length_) + count > std::numeric_limits<int32>::max()) return;
  PreDirty();
  if (at <= start_)
    start_ += count;
  else
    length_ += count;
}

void HyperlinkSourceRangeImpl::TextDeleted(TextIndex at, int32 count) {
  const int64 end = TextRangeEnd(start_, length_);
  if (count <= 0 || (length_ > 0 && at >= end) || (length_ == 0 && at > start_)) return;
  PreDirty();
  const int64 cut = TextRangeEnd(at, count);
  // Each at most the deleted count, so back within int32.
  const int64 inside = std::max<int64>(0, std::min(end, cut) - std::max(start_, at));
  const int64 before = std::max<int64>(0, std::min<int64>(start_, cut) - at);
  start_ -= static_cast<int32>(before);
  length_ -= static_cast<int32>(inside);
}

void HyperlinkSourceRangeImpl::Set(UID story, TextIndex start, int32 length) {
  PreDirty();
  story_ = story;
  start_ = std::max(0, start);
  length_ = std::max(0, length);
}

void HyperlinkSourceRangeImpl::ReadWrite(IPMStream* s, ImplementationID) {
  s->XferReference(story_);
  s->XferInt32(start_);
  s->XferInt32(length_);
  // A damaged record must not break the invariant.
  start_ = std::max(0, start_);
  length_ = std::max(0, length_);
}

void HyperlinkTextSourceImpl::SetHyperlink(UID hyperlink) {
  if (hyperlink == hyperlink_) return;
  PreDirty();
  hyperlink_ = hyperlink;
}

void HyperlinkTextSourceImpl::ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(hyperlink_); }

void HyperlinkImpl::Set(const PMString& name, bool16 visible, UID source, UID destination) {
  PreDirty();
  name_ = name;
  visible_ = visible ? 1 : 0;
  source_ = source;
  destination_ = destination;
}

void HyperlinkImpl::ReadWrite(IPMStream* s, ImplementationID) {
  name_.ReadWrite(s);
  s->XferBool(visible_);
  s->XferReference(source_);
  s->XferReference(destination_);
}

UID HyperlinkListImpl::FindDestination(const PMString& name) const {
  IDataBase* db = ::GetDataBase(this);
  for (UID uid : destinations_.Items()) {
    InterfacePtr<IHyperlinkDestination> destination(db, uid, IID_IHYPERLINKDESTINATION);
    if (destination && destination->GetName().IsEqualNoCase(name)) return uid;
  }
  return kInvalidUID;
}

void HyperlinkListImpl::Add(UIDList* list, UID uid) {
  if (uid == kInvalidUID || list->Contains(uid)) return;
  PreDirty();
  list->Append(uid);
}

void HyperlinkListImpl::Remove(UIDList* list, UID uid) {
  const int32 at = list->Location(uid);
  if (at < 0) return;
  PreDirty();
  list->Remove(at);
}

void HyperlinkListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  hyperlinks_.ReadWriteXferReference(s);
  destinations_.ReadWriteXferReference(s);
}
