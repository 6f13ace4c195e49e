#include "headless/hyperlinks/NativeCrossRefs.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/TextRanges.h"

namespace {
UIDRef Refused(IDataBase* db, ErrorCode code) {
  ErrorUtils::PMSetGlobalErrorCode(code);
  return UIDRef(db, kInvalidUID);
}

bool Run(ICommand* cmd) { return cmd && CmdUtils::ProcessCommand(cmd) == kSuccess; }

// Whether [start, start + length) meets another cross-reference source of
// the story; empty ranges meet at their start.
bool MeetsACrossRef(const UIDRef& story, TextIndex start, int32 length) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextHolderList> holders(db, kRootUID, IID_ITEXTHOLDERLIST);
  for (int32 i = 0; holders && i < holders->GetHolderCount(); ++i) {
    const UID uid = holders->GetNthHolder(i);
    InterfacePtr<ITextHolder> other(db, uid, IID_ITEXTHOLDER);
    if (!other || other->GetStoryUID() != story.GetUID() || !InterfacePtr<IHyperlinkCrossRefSource>(db, uid))
      continue;
    const TextIndex a = other->GetStart();
    if (a == start || (start < other->GetEnd() && a < TextRangeEnd(start, length))) return true;
  }
  return false;
}

// Writes the pieces at `at` of the story and gives each its style; the
// length written, or -1 on failure (error set).
int32 WritePieces(const UIDRef& story, TextIndex at, const std::vector<NativeCrossRefPiece>& pieces) {
  InterfacePtr<ITextModelCmds> cmds(story, IID_ITEXTMODELCMDS);
  if (!cmds) return -1;
  WideString all;
  for (const NativeCrossRefPiece& p : pieces) all.Append(p.text);
  if (all.Length() == 0) return 0;
  InterfacePtr<ICommand> insert(cmds->InsertCmd(at, all));
  if (!Run(insert.get())) return -1;
  TextIndex start = at;
  for (const NativeCrossRefPiece& p : pieces) {
    if (p.style != kInvalidUID && p.text.Length() > 0) {
      InterfacePtr<ICommand> style(cmds->ApplyCharStyleCmd(start, p.text.Length(), p.style));
      if (!Run(style.get())) return -1;
    }
    start += p.text.Length();
  }
  return all.Length();
}
}  // namespace

UIDRef NativeCrossRefUtilsImpl::CreateCrossRefSource(const UIDRef& story, TextIndex start, int32 length, UID format) {
  IDataBase* db = story.GetDataBase();
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  InterfacePtr<ITextHolderList> holders(db, kRootUID, IID_ITEXTHOLDERLIST);
  InterfacePtr<IBasicXRefFormat> basic(db, format, IID_IBASICXREFFORMAT);
  if (!model || !holders || !basic) return Refused(db, kInvalidParameterError);
  if (start < 0 || length < 0 || start >= model->TotalLength() || length > model->TotalLength() - 1 - start)
    return Refused(db, kTextRangeError);
  if (MeetsACrossRef(story, start, length)) return Refused(db, kInvalidParameterError);
  const UID source = db->NewUID(kHyperlinkCrossRefSourceBoss);
  InterfacePtr<ITextHolder> range(db, source, IID_ITEXTHOLDER);
  InterfacePtr<IHyperlinkCrossRefSource> named(db, source, IID_IHYPERLINKCROSSREFSOURCE);
  if (!range || !named) return Refused(db, kObjectNotFoundError);
  static_cast<CrossRefSourceRangeImpl*>(range.get())->Set(story.GetUID(), start, length);
  static_cast<HyperlinkCrossRefSourceImpl*>(named.get())->SetFormat(format);
  holders->AddHolder(source);
  return UIDRef(db, source);
}

bool16 NativeCrossRefUtilsImpl::IsNativeCrossRef(IDataBase* db, UID hyperlink) const {
  InterfacePtr<IHyperlink> link(db, hyperlink, IID_IHYPERLINK);
  return link && InterfacePtr<IHyperlinkCrossRefSource>(db, link->GetSourceUID()) != nullptr;
}

std::vector<NativeCrossRefPiece> NativeCrossRefUtilsImpl::Compose(IDataBase* db, UID format, UID destination) const {
  std::vector<NativeCrossRefPiece> pieces;
  InterfacePtr<IBasicXRefFormat> basic(db, format, IID_IBASICXREFFORMAT);
  InterfacePtr<IHyperlinkDestination> place(db, destination, IID_IHYPERLINKDESTINATION);
  if (!basic || !place) return pieces;
  const TextIndex at = place->GetIndex();
  for (const XRefBuildingBlock& block : basic->GetBuildingBlocks())
    pieces.push_back({ComposeBuildingBlock(db, block, place->GetStoryUID(), at, place->GetName()),
                      block.GetCharacterStyle()});
  return pieces;
}

WideString NativeCrossRefUtilsImpl::ComposeText(IDataBase* db, UID format, UID destination) const {
  WideString text;
  for (const NativeCrossRefPiece& p : Compose(db, format, destination)) text.Append(p.text);
  return text;
}

// One that cannot be updated (a locked story, say) keeps its text; the
// others are updated all the same, and the first failure is answered.
ErrorCode NativeCrossRefUtilsImpl::UpdateCrossRefs(const UIDList& hyperlinks) {
  ErrorCode first = kSuccess;
  for (UID uid : hyperlinks.Items()) {
    const ErrorCode e = UpdateOne(hyperlinks.GetDataBase(), uid);
    if (first == kSuccess) first = e;
  }
  ErrorUtils::PMSetGlobalErrorCode(first);
  return first;
}

ErrorCode NativeCrossRefUtilsImpl::UpdateOne(IDataBase* db, UID uid) {
  InterfacePtr<IHyperlink> link(db, uid, IID_IHYPERLINK);
  InterfacePtr<ITextHolder> range(db, link ? link->GetSourceUID() : kInvalidUID, IID_ITEXTHOLDER);
  InterfacePtr<IHyperlinkCrossRefSource> source(range.get(), IID_IHYPERLINKCROSSREFSOURCE);
  // Not a native cross-reference, or a broken one, which keeps its text.
  if (!range || !source || !InterfacePtr<IHyperlinkDestination>(db, link->GetDestinationUID())) return kSuccess;
  const std::vector<NativeCrossRefPiece> pieces = Compose(db, source->GetFormatUID(), link->GetDestinationUID());
  const UIDRef story(db, range->GetStoryUID());
  const TextIndex start = range->GetStart();
  auto* own = static_cast<CrossRefSourceRangeImpl*>(range.get());
  // The old text goes without taking its source along.
  own->SetUpdating(true);
  InterfacePtr<ITextModelCmds> cmds(story, IID_ITEXTMODELCMDS);
  bool ok = cmds != nullptr;
  if (ok && range->GetLength() > 0) {
    InterfacePtr<ICommand> del(cmds->DeleteCmd(start, range->GetLength()));
    ok = Run(del.get());
  }
  own->SetUpdating(false);
  const int32 written = ok ? WritePieces(story, start, pieces) : -1;
  const ErrorCode e = ErrorUtils::PMGetGlobalErrorCode();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (written < 0) return e != kSuccess ? e : kFailure;
  own->Set(story.GetUID(), start, written);
  return kSuccess;
}

bool16 NativeCrossRefUtilsImpl::IsRemovedAfterMigration(IDataBase* db, UID destination) const {
  InterfacePtr<IHyperlinkList> list(db, kRootUID, IID_IHYPERLINKLIST);
  if (!list || !InterfacePtr<IHyperlinkDestination>(db, destination)) return false;
  int32 native = 0;
  for (int32 i = 0; i < list->GetHyperlinkCount(); ++i) {
    InterfacePtr<IHyperlink> link(db, list->GetNthHyperlink(i), IID_IHYPERLINK);
    if (!link || link->GetDestinationUID() != destination) continue;
    if (!IsNativeCrossRef(db, list->GetNthHyperlink(i))) return false;
    ++native;
  }
  return native > 0;
}

ErrorCode NativeCrossRefUtilsImpl::DeleteDestinations(const UIDList& destinations) {
  if (destinations.IsEmpty()) return kSuccess;
  InterfacePtr<ICommand> del(CmdUtils::CreateCommand(kDeleteHyperlinkDestinationCmdBoss));
  if (!del) return kFailure;
  del->SetItemList(destinations);
  return CmdUtils::ProcessCommand(del.get());
}
