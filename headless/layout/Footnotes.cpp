#include "headless/layout/Footnotes.h"
#include "headless/layout/PageNumbers.h"
#include "host/ILayout.h"
#include "host/IOwnedItemStrand.h"
#include "host/IPMStream.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"

void FootnoteSettingsImpl::Set(int32 style, int32 start, const PMString& refPrefix, const PMString& refSuffix,
                               const PMString& notePrefix, const PMString& noteSuffix, const PMString& separator) {
  PreDirty();
  style_ = style;
  start_ = start;
  refPrefix_ = refPrefix;
  refSuffix_ = refSuffix;
  notePrefix_ = notePrefix;
  noteSuffix_ = noteSuffix;
  separator_ = separator;
}

void FootnoteSettingsImpl::ReadWrite(IPMStream* s, ImplementationID) {
  s->XferInt32(style_);
  s->XferInt32(start_);
  refPrefix_.ReadWrite(s);
  refSuffix_.ReadWrite(s);
  notePrefix_.ReadWrite(s);
  noteSuffix_.ReadWrite(s);
  separator_.ReadWrite(s);
}

UIDRef FootnoteImpl::GetReferenceStoryRef() const {
  InterfacePtr<IOwnedItem> item(this, IID_IOWNEDITEM);
  return item ? item->GetStoryRef() : UIDRef();
}

TextIndex FootnoteImpl::GetReferenceIndex() const {
  InterfacePtr<IOwnedItem> item(this, IID_IOWNEDITEM);
  return item ? item->GetTextIndex() : -1;
}

int32 FootnoteImpl::GetNumber() const {
  IDataBase* db = ::GetDataBase(this);
  UID self = ::GetUID(this);
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  InterfacePtr<IFootnoteSettings> settings(db, kRootUID, IID_IFOOTNOTESETTINGS);
  if (!stories) return 0;
  int32 n = settings ? settings->GetStartNumber() : 1;
  // References count in document order: stories in order, then by index.
  for (int32 i = 0; i < stories->GetStoryCount(); ++i) {
    InterfacePtr<ITextModel> text(db, stories->GetNthStoryUID(i), IID_ITEXTMODEL);
    if (!text) continue;
    InterfacePtr<IOwnedItemStrand> strand(
        static_cast<IOwnedItemStrand*>(text->QueryStrand(ClassID{0x208}, IID_IOWNEDITEMSTRAND)));
    if (!strand) continue;
    for (const OwnedItemInfo& info : strand->GetOwnedItems(0, text->TotalLength())) {
      if (info.cls != kFootnoteBoss) continue;
      if (info.uid == self) return n;
      ++n;
    }
  }
  return 0;
}

PMString FootnoteImpl::GetNumberText(bool16 inFootnote) const {
  InterfacePtr<IFootnoteSettings> settings(::GetDataBase(this), kRootUID, IID_IFOOTNOTESETTINGS);
  int32 number = GetNumber();
  PMString result;
  if (number == 0 || !settings) return result;
  result.Append(inFootnote ? settings->GetFootnotePrefix() : settings->GetReferencePrefix());
  result.Append(FormatNumber(number, settings->GetNumberingStyle()));
  result.Append(inFootnote ? settings->GetFootnoteSuffix() : settings->GetReferenceSuffix());
  result.SetTranslatable(false);
  return result;
}

void FootnoteImpl::SetFootnoteStory(UID story) {
  if (story == story_) return;
  PreDirty();
  story_ = story;
}

void FootnoteImpl::ReadWrite(IPMStream* s, ImplementationID) { s->XferObject(story_); }

UID FootnoteUtilsImpl::GetFootnoteAt(const UIDRef& story, TextIndex) const {
  InterfacePtr<IHierarchy> owner(story, IID_IHIERARCHY);
  if (!owner) return kInvalidUID;
  UID parent = owner->GetParentUID();
  return story.GetDataBase()->GetClass(parent) == kFootnoteBoss ? parent : kInvalidUID;
}

bool FootnoteReference(IDataBase* db, UID story, UIDRef* referenceStory, TextIndex* referenceIndex) {
  InterfacePtr<IHierarchy> owner(db, story, IID_IHIERARCHY);
  if (!owner || owner->GetParentUID() == kInvalidUID) return false;
  InterfacePtr<IFootnote> note(db, owner->GetParentUID(), IID_IFOOTNOTE);
  *referenceStory = note ? note->GetReferenceStoryRef() : UIDRef();
  *referenceIndex = note ? note->GetReferenceIndex() : kInvalidTextIndex;
  return true;
}
