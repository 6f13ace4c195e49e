#include "headless/layout/LayoutBuilder.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/layout/Footnotes.h"
#include "headless/layout/LayoutObjects.h"
#include "host/CmdUtils.h"
#include "host/IFootnote.h"
#include "host/INumbering.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/ITextVariable.h"
#include "host/InterfacePtr.h"

namespace {
ErrorCode Run(ICommand* cmd) {
  InterfacePtr<ICommand> held(cmd);
  return held ? CmdUtils::ProcessCommand(held.get()) : kFailure;
}
}  // namespace

UID LayoutBuilder::AddSpread(int32 pages) {
  InterfacePtr<ISpreadList> spreads(db_, kRootUID, IID_ISPREADLIST);
  if (!spreads || pages < 1 || pages > 2) return kInvalidUID;
  UID spread = db_->NewUID(kSpreadBoss);
  InterfacePtr<ISpread> s(db_, spread, IID_ISPREAD);
  for (int32 i = 0; i < pages; ++i) {
    UID page = db_->NewUID(kPageBoss);
    static_cast<SpreadImpl*>(s.get())->Append(page);
    InterfacePtr<IHierarchy> h(db_, page, IID_IHIERARCHY);
    static_cast<HierarchyImpl*>(h.get())->SetParentUID(spread);
  }
  static_cast<SpreadListImpl*>(spreads.get())->Append(spread);
  return spread;
}

UID LayoutBuilder::PageUID(int32 n) const {
  InterfacePtr<IPageList> pages(db_, kRootUID, IID_IPAGELIST);
  return pages ? pages->GetNthPageUID(n) : kInvalidUID;
}

UID LayoutBuilder::SpreadUID(int32 n) const {
  InterfacePtr<ISpreadList> spreads(db_, kRootUID, IID_ISPREADLIST);
  return spreads ? spreads->GetNthSpreadUID(n) : kInvalidUID;
}

UID LayoutBuilder::AddTextFrame(UID parent, UID story, int32 columns, int32 lines, double x, double y) {
  ClassID parentClass = db_->GetClass(parent);
  InterfacePtr<IFrameList> thread(db_, story, IID_IFRAMELIST);
  if ((parentClass != kPageBoss && parentClass != kSpreadBoss) || !thread || columns < 1 || lines < 1)
    return kInvalidUID;
  UID frame = db_->NewUID(kTextFrameBoss);
  InterfacePtr<ITextFrame> f(db_, frame, IID_ITEXTFRAME);
  static_cast<TextFrameImpl*>(f.get())->Set(story, columns, lines, x, y);
  InterfacePtr<IHierarchy> h(db_, frame, IID_IHIERARCHY);
  static_cast<HierarchyImpl*>(h.get())->SetParentUID(parent);
  static_cast<FrameListImpl*>(thread.get())->Append(frame);
  return frame;
}

bool LayoutBuilder::AddSection(const Section& section) {
  InterfacePtr<ISectionList> sections(db_, kRootUID, IID_ISECTIONLIST);
  if (!sections || section.startPage < 0) return false;
  sections->AddSection(section);
  return true;
}

bool LayoutBuilder::SetFootnoteSettings(int32 style, int32 start, const std::string& refPrefix,
                                        const std::string& refSuffix, const std::string& notePrefix,
                                        const std::string& noteSuffix, const std::string& separator) {
  InterfacePtr<IFootnoteSettings> settings(db_, kRootUID, IID_IFOOTNOTESETTINGS);
  if (!settings) return false;
  settings->Set(style, start, PMString(refPrefix), PMString(refSuffix), PMString(notePrefix), PMString(noteSuffix),
                PMString(separator));
  return true;
}

bool LayoutBuilder::InsertAnchor(UID story, TextIndex at, char16_t c, ClassID cls, UID item) {
  InterfacePtr<ITextModelCmds> cmds(db_, story, IID_ITEXTMODELCMDS);
  InterfacePtr<ITextModel> text(db_, story, IID_ITEXTMODEL);
  if (!cmds || !text || at < 0 || at >= text->TotalLength()) return false;
  if (Run(cmds->InsertCmd(at, WideString(std::u16string(1, c)))) != kSuccess) return false;
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  return strand && strand->SetOwnedItem(at, cls, item);
}

UID LayoutBuilder::AddFootnote(UID story, TextIndex at, const WideString& text) {
  InterfacePtr<IFootnoteSettings> settings(db_, kRootUID, IID_IFOOTNOTESETTINGS);
  if (!settings) return kInvalidUID;
  DocumentBuilder docs(db_);
  UID noteStory = docs.NewStory();
  if (noteStory == kInvalidUID) return kInvalidUID;
  WideString content(std::u16string(1, u'\x0004'));
  content.Append(settings->GetSeparator().GetWideString());
  content.Append(text);
  docs.AddParagraph(noteStory);
  docs.AddRun(noteStory, content);
  UID note = db_->NewUID(kFootnoteBoss);
  InterfacePtr<IFootnote> footnote(db_, note, IID_IFOOTNOTE);
  static_cast<FootnoteImpl*>(footnote.get())->SetFootnoteStory(noteStory);
  InterfacePtr<IHierarchy> owner(db_, noteStory, IID_IHIERARCHY);
  static_cast<HierarchyImpl*>(owner.get())->SetParentUID(note);
  if (!InsertAnchor(story, at, u'\x0004', kFootnoteBoss, note)) {
    db_->DeleteUID(note);
    return kInvalidUID;
  }
  return note;
}

UID LayoutBuilder::AddTextVariable(const std::string& name, const std::string& text) {
  InterfacePtr<ITextVariableList> vars(db_, kRootUID, IID_ITEXTVARIABLELIST);
  if (!vars || vars->FindByName(PMString(name)) != kInvalidUID) return kInvalidUID;
  UID var = db_->NewUID(kTextVariableBoss);
  InterfacePtr<ITextVariable> v(db_, var, IID_ITEXTVARIABLE);
  v->Set(PMString(name), PMString(text));
  vars->Add(var);
  return var;
}

UID LayoutBuilder::InsertTextVariable(UID story, TextIndex at, UID variable) {
  if (db_->GetClass(variable) != kTextVariableBoss) return kInvalidUID;
  UID instance = db_->NewUID(kTextVariableInstanceBoss);
  InterfacePtr<ITextVariableInstance> inst(db_, instance, IID_ITEXTVARIABLEINSTANCE);
  inst->SetVariableUID(variable);
  if (!InsertAnchor(story, at, u'\x0018', kTextVariableInstanceBoss, instance)) {
    db_->DeleteUID(instance);
    return kInvalidUID;
  }
  return instance;
}

bool LayoutBuilder::SetNumbering(UID paragraphStyle, const std::string& list, int32 level,
                                 const std::string& format) {
  InterfacePtr<INumberingStyle> numbering(db_, paragraphStyle, IID_INUMBERINGSTYLE);
  if (!numbering || level < 1 || level > 9) return false;
  numbering->Set(PMString(list), level, PMString(format));
  return true;
}

bool LayoutBuilder::SetChapterNumber(int32 number, int32 style) {
  InterfacePtr<IChapterNumber> chapter(db_, kRootUID, IID_ICHAPTERNUMBER);
  if (!chapter) return false;
  chapter->Set(number, style);
  return true;
}
