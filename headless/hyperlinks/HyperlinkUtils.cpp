#include "headless/hyperlinks/HyperlinkUtils.h"
#include "headless/hyperlinks/HyperlinkObjects.h"
#include "host/CmdUtils.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/TextRanges.h"

namespace {
UIDRef Refused(IDataBase* db, ErrorCode code) {
  ErrorUtils::PMSetGlobalErrorCode(code);
  return UIDRef(db, kInvalidUID);
}

InterfacePtr<IOwnedItemStrand> OwnedStrandOf(ITextModel* model) {
  return InterfacePtr<IOwnedItemStrand>(
      static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
}

// Whether [start, start + length) meets a range of another text source of
// the story; two empty ranges meet when they start at the same index.
bool OverlapsASource(const UIDRef& story, TextIndex start, int32 length) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextHolderList> holders(db, kRootUID, IID_ITEXTHOLDERLIST);
  for (int32 i = 0; holders && i < holders->GetHolderCount(); ++i) {
    InterfacePtr<ITextHolder> other(db, holders->GetNthHolder(i), IID_ITEXTHOLDER);
    if (!other || other->GetStoryUID() != story.GetUID()) continue;
    const TextIndex a = other->GetStart();
    if (a == start || (start < other->GetEnd() && a < TextRangeEnd(start, length))) return true;
  }
  return false;
}
}  // namespace

UIDRef HyperlinkUtilsImpl::CreateTextAnchorDestination(const UIDRef& story, TextIndex at, const PMString& name) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  InterfacePtr<IHyperlinkList> list(db, kRootUID, IID_IHYPERLINKLIST);
  if (!model || !list || name.IsEmpty()) return Refused(db, kInvalidParameterError);
  if (at < 0 || at >= model->TotalLength()) return Refused(db, kTextRangeError);
  auto strand = OwnedStrandOf(model.get());
  if (!strand || list->FindDestination(name) != kInvalidUID ||
      strand->GetOwnedUID(at, kHyperlinkTextMarkerBoss) != kInvalidUID)
    return Refused(db, kInvalidParameterError);
  const UID destination = db->NewUID(kHyperlinkTextDestinationBoss);
  const UID anchor = db->NewUID(kHyperlinkTextMarkerBoss);
  InterfacePtr<IHyperlinkTextMarker> marker(db, anchor, IID_IHYPERLINKTEXTMARKER);
  InterfacePtr<IOwnedItem> owned(db, anchor, IID_IOWNEDITEM);
  InterfacePtr<IHyperlinkDestination> made(db, destination, IID_IHYPERLINKDESTINATION);
  if (!marker || !owned || !made) return Refused(db, kObjectNotFoundError);
  static_cast<HyperlinkTextMarkerImpl*>(marker.get())->SetDestination(destination);
  static_cast<HyperlinkDestinationImpl*>(made.get())->Set(name, story.GetUID(), anchor);
  strand->SetOwnedItem(at, kHyperlinkTextMarkerBoss, anchor);
  owned->SetAnchorStory(story.GetUID());
  static_cast<HyperlinkListImpl*>(list.get())->AddDestination(destination);
  return UIDRef(db, destination);
}

UIDRef HyperlinkUtilsImpl::CreateTextSource(const UIDRef& story, TextIndex start, int32 length) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  InterfacePtr<ITextHolderList> holders(db, kRootUID, IID_ITEXTHOLDERLIST);
  if (!model || !holders) return Refused(db, kInvalidParameterError);
  if (start < 0 || length < 0 || start >= model->TotalLength() || length > model->TotalLength() - start)
    return Refused(db, kTextRangeError);
  if (OverlapsASource(story, start, length)) return Refused(db, kInvalidParameterError);
  const UID source = db->NewUID(kHyperlinkTextSourceBoss);
  InterfacePtr<ITextHolder> range(db, source, IID_ITEXTHOLDER);
  if (!range) return Refused(db, kObjectNotFoundError);
  static_cast<HyperlinkSourceRangeImpl*>(range.get())->Set(story.GetUID(), start, length);
  holders->AddHolder(source);
  return UIDRef(db, source);
}

UIDRef HyperlinkUtilsImpl::CreateHyperlink(const UIDRef& source, const UIDRef& destination, const PMString& name,
                                           bool16 visible) {
  IDataBase* db = source.GetDataBase();
  InterfacePtr<IHyperlinkTextSource> text(source, IID_IHYPERLINKTEXTSOURCE);
  InterfacePtr<IHyperlinkDestination> target(destination, IID_IHYPERLINKDESTINATION);
  InterfacePtr<IHyperlinkList> list(db, kRootUID, IID_IHYPERLINKLIST);
  if (!text || !target || !list || destination.GetDataBase() != db || text->GetHyperlinkUID() != kInvalidUID)
    return Refused(db, kInvalidParameterError);
  const UID hyperlink = db->NewUID(kHyperlinkBoss);
  InterfacePtr<IHyperlink> made(db, hyperlink, IID_IHYPERLINK);
  if (!made) return Refused(db, kObjectNotFoundError);
  static_cast<HyperlinkImpl*>(made.get())->Set(name, visible, source.GetUID(), destination.GetUID());
  static_cast<HyperlinkTextSourceImpl*>(text.get())->SetHyperlink(hyperlink);
  static_cast<HyperlinkListImpl*>(list.get())->AddHyperlink(hyperlink);
  return UIDRef(db, hyperlink);
}
