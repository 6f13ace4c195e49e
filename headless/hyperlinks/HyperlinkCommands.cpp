#include "headless/hyperlinks/HyperlinkCommands.h"
#include "headless/hyperlinks/HyperlinkObjects.h"
#include "host/CmdUtils.h"
#include "host/INativeCrossRefs.h"
#include "host/InterfacePtr.h"
#include "host/TextIDs.h"
#include <vector>

namespace {
void Fail(ErrorCode e) { ErrorUtils::PMSetGlobalErrorCode(e); }

bool DeleteObject(IDataBase* db, UID uid) {
  InterfacePtr<ICommand> del(CmdUtils::CreateCommand(kDeleteObjectCmdBoss));
  if (!del) return false;
  del->SetItemList(UIDList(db, uid));
  return CmdUtils::ProcessCommand(del.get()) == kSuccess;
}

HyperlinkListImpl* ListOf(IDataBase* db, InterfacePtr<IHyperlinkList>* keep) {
  *keep = InterfacePtr<IHyperlinkList>(db, kRootUID, IID_IHYPERLINKLIST);
  return static_cast<HyperlinkListImpl*>(keep->get());
}

// A hyperlink leaves the list, its source forgets it, and it is deleted.
bool DeleteHyperlink(IDataBase* db, UID uid) {
  InterfacePtr<IHyperlink> hyperlink(db, uid, IID_IHYPERLINK);
  InterfacePtr<IHyperlinkList> keep;
  HyperlinkListImpl* list = ListOf(db, &keep);
  if (!hyperlink || !list) return false;
  InterfacePtr<IHyperlinkTextSource> source(db, hyperlink->GetSourceUID(), IID_IHYPERLINKTEXTSOURCE);
  if (source && source->GetHyperlinkUID() == uid)
    static_cast<HyperlinkTextSourceImpl*>(source.get())->SetHyperlink(kInvalidUID);
  list->RemoveHyperlink(uid);
  return DeleteObject(db, uid);
}

bool DeleteSource(IDataBase* db, UID uid) {
  InterfacePtr<IHyperlinkTextSource> source(db, uid, IID_IHYPERLINKTEXTSOURCE);
  InterfacePtr<ITextHolderList> holders(db, kRootUID, IID_ITEXTHOLDERLIST);
  if (!source || !holders) return false;
  if (source->GetHyperlinkUID() != kInvalidUID && !DeleteHyperlink(db, source->GetHyperlinkUID())) return false;
  holders->RemoveHolder(uid);
  return DeleteObject(db, uid);
}

// A native cross-reference keeps its text and stays, pointing nowhere (so
// that it can be found and relinked); any other hyperlink goes.
bool Unlink(IDataBase* db, UID hyperlink) {
  InterfacePtr<IHyperlink> link(db, hyperlink, IID_IHYPERLINK);
  if (!link || !InterfacePtr<IHyperlinkCrossRefSource>(db, link->GetSourceUID())) return DeleteHyperlink(db, hyperlink);
  static_cast<HyperlinkImpl*>(link.get())->Set(link->GetName(), link->IsVisible(), link->GetSourceUID(), kInvalidUID);
  return true;
}

bool DeleteDestination(IDataBase* db, UID uid) {
  InterfacePtr<IHyperlinkDestination> destination(db, uid, IID_IHYPERLINKDESTINATION);
  InterfacePtr<IHyperlinkList> keep;
  HyperlinkListImpl* list = ListOf(db, &keep);
  if (!destination || !list) return false;
  std::vector<UID> linked;
  for (int32 i = 0; i < list->GetHyperlinkCount(); ++i) {
    InterfacePtr<IHyperlink> hyperlink(db, list->GetNthHyperlink(i), IID_IHYPERLINK);
    if (hyperlink && hyperlink->GetDestinationUID() == uid) linked.push_back(list->GetNthHyperlink(i));
  }
  for (UID hyperlink : linked)
    if (!Unlink(db, hyperlink)) return false;
  list->RemoveDestination(uid);
  return DeleteObject(db, uid);  // takes its anchor with it
}

template <class Step>
void DeleteItems(const UIDList* items, Step step) {
  if (!items || items->IsEmpty() || !items->GetDataBase()) return Fail(kInvalidParameterError);
  for (UID uid : items->Items()) {
    if (!step(items->GetDataBase(), uid)) {
      if (ErrorUtils::PMGetGlobalErrorCode() == kSuccess) Fail(kObjectNotFoundError);
      return;
    }
  }
}
}  // namespace

void DeleteHyperlinkCmd::Do() { DeleteItems(GetItemList(), DeleteHyperlink); }
void DeleteHyperlinkTextSourceCmd::Do() { DeleteItems(GetItemList(), DeleteSource); }
void DeleteHyperlinkDestinationCmd::Do() { DeleteItems(GetItemList(), DeleteDestination); }
