#include "headless/layout/Footnotes.h"
#include "headless/database/DataBase.h"
#include "headless/layout/PageNumbers.h"
#include "host/ILayout.h"
#include "host/IOwnedItemStrand.h"
#include "host/IPMStream.h"
#include "host/IStoryList.h"
#include "host/CmdUtils.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include <unordered_map>

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

ICommand* FootnoteOwnedItem::QueryDeleteCommand() {
  InterfacePtr<IFootnote> note(this, IID_IFOOTNOTE);
  const UIDRef story(::GetDataBase(this), note ? note->GetFootnoteStoryUID() : kInvalidUID);
  InterfacePtr<ITextModel> text(story, IID_ITEXTMODEL);
  InterfacePtr<ITextModelCmds> cmds(story, IID_ITEXTMODELCMDS);
  // All but the story's final return, which goes with the story.
  const int32 length = text ? text->TotalLength() - 1 : 0;
  if (cmds && length > 0) {
    InterfacePtr<ICommand> del(cmds->DeleteCmd(0, length));
    if (!del || CmdUtils::ProcessCommand(del.get()) != kSuccess) return nullptr;
  }
  return COwnedItem::QueryDeleteCommand();
}

namespace {
// Footnote numbers of one document, counted once per change to it.
struct FootnoteNumbers {
  uint64_t instance = 0, serial = 0;
  std::unordered_map<UID, int32> numbers;
};

void Count(DataBase* db, FootnoteNumbers& cache) {
  cache.numbers.clear();
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  InterfacePtr<IFootnoteSettings> settings(db, kRootUID, IID_IFOOTNOTESETTINGS);
  if (!stories) return;
  int32 n = settings ? settings->GetStartNumber() : 1;
  // References count in document order: stories in order, then by index.
  for (int32 i = 0; i < stories->GetStoryCount(); ++i) {
    InterfacePtr<ITextModel> text(db, stories->GetNthStoryUID(i), IID_ITEXTMODEL);
    if (!text) continue;
    InterfacePtr<IOwnedItemStrand> strand(
        static_cast<IOwnedItemStrand*>(text->QueryStrand(ClassID{0x208}, IID_IOWNEDITEMSTRAND)));
    if (!strand) continue;
    for (const OwnedItemInfo& info : strand->GetOwnedItems(0, text->TotalLength()))
      if (info.cls == kFootnoteBoss) cache.numbers.emplace(info.uid, n++);
  }
}
}  // namespace

int32 FootnoteImpl::GetNumber() const {
  auto* db = static_cast<DataBase*>(::GetDataBase(this));
  if (!db) return 0;
  static FootnoteNumbers cache;
  if (cache.instance != db->InstanceId() || cache.serial != db->ChangeSerial()) {
    Count(db, cache);
    cache.instance = db->InstanceId();
    cache.serial = db->ChangeSerial();
  }
  auto it = cache.numbers.find(::GetUID(this));
  return it == cache.numbers.end() ? 0 : it->second;
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

bool PlacedPosition(IDataBase* db, UID* story, TextIndex* at) {
  // Footnotes do not nest in sound documents; a few hops is already generous.
  for (int hops = 0; hops < 8; ++hops) {
    UIDRef refStory;
    TextIndex refIndex;
    if (!FootnoteReference(db, *story, &refStory, &refIndex)) return true;
    if (refStory.GetDataBase() != db || refStory.GetUID() == kInvalidUID) return false;
    *story = refStory.GetUID();
    *at = refIndex;
  }
  return false;
}
