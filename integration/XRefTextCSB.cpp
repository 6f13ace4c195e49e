#include "integration/XRefTextCSB.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/ISelectionManager.h"
#include "host/ISelectionUtils.h"
#include "host/ISession.h"
#include "host/ITextModelCmds.h"
#include "host/ITextSelectionSuite.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefTextSelection.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefTextUtils.h"
#include "model/XRefModelID.h"

namespace {
constexpr int32 kMostSelectionText = 60;

// The parameters a command takes, each on its own data interface; false
// when the command lacks one.
struct CrossRefSource {
  const IDFile& file;
  const PMString& marker;
  const PMString& formatName;
  const PMString& format;
  bool16 hyperlink;
};

bool SetSource(ICommand* cmd, const CrossRefSource& s) {
  InterfacePtr<IFileData> file(cmd, IID_IFILEDATA);
  InterfacePtr<IStringData> name(cmd, IID_ISTRINGDATA);
  InterfacePtr<IXRefFormatData> format(cmd, IID_IXREFFORMATDATA);
  InterfacePtr<IBoolData> hyperlink(cmd, IID_IBOOLDATA);
  if (!file || !name || !format || !hyperlink) return false;
  file->Set(s.file);
  name->Set(s.marker);
  format->SetFormatData(s.formatName, s.format);
  hyperlink->Set(s.hyperlink);
  return true;
}

bool SetRange(ICommand* cmd, const RangeData& range) {
  InterfacePtr<IRangeData> data(cmd, IID_IRANGEDATA);
  if (data) data->Set(range.Start(), range.Length());
  return data != nullptr;
}

// Creates the command with the items, lets `fill` set its data, processes
// it: 0 when it ran, 1 otherwise (the command's own error stays set).
template <class Fill>
ErrorCode RunCommand(ClassID cls, const UIDList& items, Fill fill) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(cls));
  if (!cmd || items.Length() == 0) return kFailure;
  cmd->SetItemList(items);
  if (!fill(cmd.get())) return kFailure;
  return CmdUtils::ProcessCommand(cmd.get()) == kSuccess ? kSuccess : kFailure;
}

bool NoData(ICommand*) { return true; }

// Deletes [start, start + length) of a story through its text commands.
bool DeleteText(const UIDRef& story, TextIndex start, int32 length) {
  InterfacePtr<ITextModelCmds> cmds(story, IID_ITEXTMODELCMDS);
  if (!cmds || start < 0 || length <= 0) return false;
  InterfacePtr<ICommand> del(cmds->DeleteCmd(start, length));
  return del && CmdUtils::ProcessCommand(del.get()) == kSuccess;
}
}  // namespace

bool16 XRefTextCSB::CanInsertSourceMarker() {
  XRefTextSelection s(this);
  return s.Exists() && !s.IsLocked();
}

ErrorCode XRefTextCSB::InsertSourceMarker(const PMString& name) {
  XRefTextSelection s(this);
  if (!s.Exists()) return kFailure;
  return RunCommand(kXRefInsertSourceMarkerCmdBoss, UIDList(s.Story()), [&](ICommand* cmd) {
    InterfacePtr<IStringData> data(cmd, IID_ISTRINGDATA);
    if (data) data->Set(name);
    return data && SetRange(cmd, s.Range());
  });
}

bool16 XRefTextCSB::IsSourceMarkerSelected() { return XRefTextSelection(this).SourceMarkers(true).Length() > 0; }

UIDList XRefTextCSB::GetSelectedSourceMarkers() { return XRefTextSelection(this).SourceMarkers(); }

bool16 XRefTextCSB::CanModifySourceMarker() {
  XRefTextSelection s(this);
  return s.Exists() && !s.IsLocked() && s.SourceMarkers().Length() == 1;
}

ErrorCode XRefTextCSB::ModifySourceMarker(const PMString& name, bool16 updateReferences) {
  return RunCommand(kXRefModifySourceMarkerCmdBoss, GetSelectedSourceMarkers(), [&](ICommand* cmd) {
    InterfacePtr<IStringData> data(cmd, IID_ISTRINGDATA);
    InterfacePtr<IBoolData> update(cmd, IID_IBOOLDATA);
    if (!data || !update) return false;
    data->Set(name);
    update->Set(updateReferences);
    return true;
  });
}

bool16 XRefTextCSB::CanInsertCrossRef() { return CanInsertSourceMarker(); }

ErrorCode XRefTextCSB::InsertCrossRef(const IDFile& file, const PMString& marker, const PMString& formatName,
                                      const PMString& format, bool16 hyperlink) {
  XRefTextSelection s(this);
  if (!s.Exists()) return kFailure;
  const CrossRefSource source{file, marker, formatName, format, hyperlink};
  return RunCommand(kXRefInsertCrossRefCmdBoss, UIDList(s.Story()),
                    [&](ICommand* cmd) { return SetRange(cmd, s.Range()) && SetSource(cmd, source); });
}

bool16 XRefTextCSB::IsCrossRefSelected() { return XRefTextSelection(this).CrossRefs().Length() > 0; }

UIDList XRefTextCSB::GetSelectedCrossRefs() { return XRefTextSelection(this).CrossRefs(); }

bool16 XRefTextCSB::CanModifyCrossRef() {
  XRefTextSelection s(this);
  return s.Exists() && !s.IsLocked() && s.CrossRefs().Length() == 1;
}

ErrorCode XRefTextCSB::ModifyCrossRef(const IDFile& file, const PMString& marker, const PMString& formatName,
                                      const PMString& format, bool16 hyperlink) {
  const CrossRefSource source{file, marker, formatName, format, hyperlink};
  return RunCommand(kXRefModifyCrossRefCmdBoss, GetSelectedCrossRefs(),
                    [&](ICommand* cmd) { return SetSource(cmd, source); });
}

bool16 XRefTextCSB::CanUpdateCrossRefs() {
  XRefTextSelection s(this);
  return s.Exists() && !s.IsLocked() && s.CrossRefs().Length() > 0;
}

ErrorCode XRefTextCSB::UpdateCrossRefs() {
  return RunCommand(kXRefUpdateCrossRefCmdBoss, GetSelectedCrossRefs(), NoData);
}

bool16 XRefTextCSB::CanConvertCrossRefsToText() { return CanUpdateCrossRefs(); }

ErrorCode XRefTextCSB::ConvertCrossRefsToText() {
  return RunCommand(kXRefConvertCrossRefToTextCmdBoss, GetSelectedCrossRefs(), NoData);
}

bool16 XRefTextCSB::CanGetSelectionText() { return CanInsertSourceMarker(); }

// The text utility stops at white space after the limit, so the excerpt is
// cut to the limit here.
PMString XRefTextCSB::GetSelectionText() {
  XRefTextSelection s(this);
  InterfacePtr<IXRefTextUtils> utils(UtilsBoss::QueryUtils<IXRefTextUtils>());
  if (!s.Exists() || !utils) return PMString();
  PMString text = utils->GetCleanText(s.Model(), s.Range().Start(), s.Range().Length(), kMostSelectionText);
  // Characters, not UTF-16 units: a pair of surrogates is one, never halved.
  int32 units = 0;
  for (int32 chars = 0; units < text.CharCount() && chars < kMostSelectionText; ++chars) {
    const char16_t unit = text[units];
    units += unit >= 0xD800 && unit <= 0xDBFF && units + 1 < text.CharCount() ? 2 : 1;
  }
  if (units < text.CharCount()) text = text.Substring(0, units);
  text.SetTranslatable(false);
  return text;
}

bool16 XRefTextCSB::HasTextSelection() { return XRefTextSelection(this).HasSelection(); }

ErrorCode XRefTextCSB::GetTextSelection(UIDRef* story, int32* index) {
  XRefTextSelection s(this);
  if (!s.Exists()) return kFailure;
  if (story) *story = s.Story();
  if (index) *index = s.Range().Start();
  return kSuccess;
}

bool16 XRefTextCSB::CanGoToSource() { return GetSelectedCrossRefs().Length() == 1; }

ErrorCode XRefTextCSB::GoToSource() {
  const UIDList crossRefs = GetSelectedCrossRefs();
  if (crossRefs.Length() == 0) return kFailure;
  InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(0), IID_IXREFCROSSREF);
  return crossRef ? crossRef->GoToSource() : kFailure;
}

bool16 XRefTextCSB::CanSelectCrossRef() {
  if (!IsCrossRefSelected()) return false;
  InterfacePtr<ISelectionUtils> utils(UtilsBoss::QueryUtils<ISelectionUtils>());
  return !(utils && utils->IsSelectionExact());
}

ErrorCode XRefTextCSB::SelectCrossRef() {
  XRefTextSelection s(this);
  if (!s.Exists()) return kSuccess;
  const RangeData grown = s.Grown();
  if (grown == s.Range()) return kSuccess;
  InterfacePtr<ISelectionManager> manager(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
  InterfacePtr<IPMUnknown> selection(manager ? manager->QueryAbstractSelection() : nullptr);
  InterfacePtr<ITextSelectionSuite> text(selection.get(), IID_ITEXTSELECTIONSUITE);
  if (text) text->SetTextSelection(s.Story(), grown);
  return kSuccess;
}

bool16 XRefTextCSB::CanDeleteSourceMarkers() { return IsSourceMarkerSelected(); }

// Each deletion reads the marker's index afresh: the ones before it moved
// the text. A failed deletion is reported, not passed off as success.
ErrorCode XRefTextCSB::DeleteSourceMarkers() {
  const UIDList markers = GetSelectedSourceMarkers();
  if (markers.Length() == 0) return kFailure;
  for (int32 i = 0; i < markers.Length(); ++i) {
    InterfacePtr<IXRefSourceMarker> marker(markers.GetRef(i), IID_IXREFSOURCEMARKER);
    if (!marker || !DeleteText(marker->GetStoryRef(), marker->GetTextIndex(), 1)) return kFailure;
  }
  return kSuccess;
}

bool16 XRefTextCSB::CanDeleteCrossRefs() { return IsCrossRefSelected(); }

ErrorCode XRefTextCSB::DeleteCrossRefs() {
  const UIDList crossRefs = GetSelectedCrossRefs();
  if (crossRefs.Length() == 0) return kFailure;
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> x(crossRefs.GetRef(i), IID_IXREFCROSSREF);
    if (!x) return kFailure;
    const TextIndex from = x->GetStartIndex() - 1;
    if (!DeleteText(x->GetStoryRef(), from, x->GetEndIndex() + 1 - from)) return kFailure;
  }
  return kSuccess;
}

void XRefTextCSB::GetModelProtocols(std::vector<PMIID>* protocols) {
  protocols->push_back(IID_IXREFSOURCEMARKER);
  protocols->push_back(IID_IXREFCROSSREF);
}

void XRefTextCSB::HandleModelChange(SelectionMessage* message) {
  if (message && message->GetKind() == kSelectionModelChangedMessage) message->AddAffectedSuite(IID_IXREFSELECTIONSUITE);
}

CREATE_PMINTERFACE(XRefTextCSB, kXRefTextCSBImpl);
