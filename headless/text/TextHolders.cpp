#include "headless/text/TextHolders.h"
#include "host/InterfacePtr.h"
#include "host/TextRanges.h"
#include "host/ITextModel.h"

void TextHolderListImpl::AddHolder(UID holder) {
  if (holder == kInvalidUID || holders_.Contains(holder)) return;
  PreDirty();
  holders_.Append(holder);
}

void TextHolderListImpl::RemoveHolder(UID holder) {
  const int32 at = holders_.Location(holder);
  if (at < 0) return;
  PreDirty();
  holders_.Remove(at);
}

void TextHolderListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  // The holders belong to their own lists (hyperlinks); this one only names them.
  holders_.ReadWriteXferReference(s);
}

UIDRef TextHolderUtilsImpl::QueryHolderOfPosition(const UIDRef& story, TextIndex at) const {
  InterfacePtr<ITextModel> text(story, IID_ITEXTMODEL);
  if (!text) return UIDRef();
  IDataBase* db = story.GetDataBase();
  const UIDRef none(db, kInvalidUID);
  InterfacePtr<ITextHolderList> list(db, kRootUID, IID_ITEXTHOLDERLIST);
  if (!list || at < 0 || at >= text->TotalLength()) return none;
  for (int32 i = 0; i < list->GetHolderCount(); ++i) {
    InterfacePtr<ITextHolder> holder(db, list->GetNthHolder(i), IID_ITEXTHOLDER);
    if (!holder || holder->GetStoryUID() != story.GetUID()) continue;
    const TextIndex start = holder->GetStart();
    const int32 length = holder->GetLength();
    if (at == start || (at > start && at < TextRangeEnd(start, length))) return UIDRef(db, list->GetNthHolder(i));
  }
  return none;
}

void ShiftTextHolders(const UIDRef& story, TextIndex at, int32 count) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextHolderList> list(db, kRootUID, IID_ITEXTHOLDERLIST);
  if (!list || count == 0) return;
  for (int32 i = 0; i < list->GetHolderCount(); ++i) {
    InterfacePtr<ITextHolder> holder(db, list->GetNthHolder(i), IID_ITEXTHOLDER);
    if (!holder || holder->GetStoryUID() != story.GetUID()) continue;
    if (count > 0)
      holder->TextInserted(at, count);
    else
      holder->TextDeleted(at, -count);
  }
}

void MoveTextHolders(const UIDRef& story, TextIndex start, int32 length, UID toStory, TextIndex to) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextHolderList> list(db, kRootUID, IID_ITEXTHOLDERLIST);
  if (!list) return;
  for (int32 i = 0; i < list->GetHolderCount(); ++i) {
    InterfacePtr<ITextHolder> holder(db, list->GetNthHolder(i), IID_ITEXTHOLDER);
    if (!holder || holder->GetStoryUID() != story.GetUID() || holder->GetLength() <= 0) continue;
    if (holder->GetStart() < start || holder->GetEnd() > TextRangeEnd(start, length)) continue;
    holder->TextMoved(toStory, to + holder->GetStart() - start);
  }
}
