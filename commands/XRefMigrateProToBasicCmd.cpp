// Turns a document's cross-references into the host's native ones: each
// format becomes Basic formats (through the format conversion), each source
// marker a text anchor, and each local cross-reference a native one over its
// text and marker characters, which the host then recomposes; as one undo
// step. What cannot be carried over goes to the document's conversion log,
// which the host is asked to present when it holds anything.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefMigrationID.h"
#include "commands/XRefMigrationUtils.h"
#include "commands/XRefStyledParagraph.h"
#include "engine/IXRefConversionLog.h"
#include "engine/IXRefFormatMigrationData.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/IBasicXRefFormat.h"
#include "host/IHyperlinks.h"
#include "host/ILanguageList.h"
#include "host/IStoryLock.h"
#include "host/ITextHolder.h"
#include "host/INativeCrossRefs.h"
#include "host/ITextAttributes.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/TextRanges.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormats.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"
#include <algorithm>

namespace {
constexpr const char* kName = "QX#0xF2C#kXRefMigrateProToBasicCmdKey";

PMString Joined(const PMString& name, const char* open, const PMString& inner, const char* close) {
  PMString s = name;
  s.Append(open);
  s.Append(inner);
  s.Append(close);
  s.SetTranslatable(false);
  return s;
}

class XRefMigrateProToBasicCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString(kName)};
    doc_ = XRefMigrationUtils::DocumentOf(this);
    InterfacePtr<IXRefFormats> pro(XRefMigrationUtils::QueryProFormats(doc_));
    if (!doc_ || !pro) return;
    const size_t mark = XRefMigrationUtils::LogMark(doc_);
    ConvertFormats(pro.get());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);

    InterfacePtr<IXRefConversionLog> log(doc_, doc_->GetRootUID(), IID_IXREFCONVERSIONLOG);
    InterfacePtr<IBasicXRefFormatList> basic(doc_, doc_->GetRootUID(), IID_IBASICXREFFORMATLIST);
    InterfacePtr<IXRefSourceMarkerList> markers(XRefCommandUtils::QueryMarkerList(doc_));
    InterfacePtr<IXRefCrossRefList> crossRefs(XRefCommandUtils::QueryCrossRefList(doc_));
    InterfacePtr<IHyperlinkUtils> links(UtilsBoss::QueryUtils<IHyperlinkUtils>());
    InterfacePtr<INativeCrossRefUtils> natives(UtilsBoss::QueryUtils<INativeCrossRefUtils>());
    if (!log || !basic || !markers || !crossRefs || !links || !natives) return;
    log_ = log.get();
    basic_ = basic.get();
    links_ = links.get();
    natives_ = natives.get();

    MarkersToAnchors(markers.get());
    UIDList made(doc_);
    const UIDList all = crossRefs->GetCrossRefs();
    for (UID uid : all.Items()) {
      const UID hyperlink = Migrate(uid);
      if (hyperlink != kInvalidUID) made.Append(hyperlink);
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    }
    XRefMigrationUtils::PresentLog(doc_, mark);
    natives->UpdateCrossRefs(made);
  }

  void DoNotify() override { XRefCommandUtils::NotifyApplication(this, IID_IXREFCROSSREF); }
  PMString* CreateName() override { return new PMString(kName); }

private:
  void ConvertFormats(IXRefFormats* pro) {
    // The list is read up front: the conversions do not change it.
    const int32 count = pro->GetFormatCount();
    for (int32 i = 0; i < count; ++i)
      if (!XRefMigrationUtils::ConvertToBasicFormat(doc_, pro->GetFormatName(i), pro->GetFormatString(i))) return;
  }

  void MarkersToAnchors(IXRefSourceMarkerList* list) {
    InterfacePtr<IHyperlinkList> destinations(doc_, kRootUID, IID_IHYPERLINKLIST);
    if (!destinations) return;
    const UIDList markers = list->GetMarkers();
    for (UID uid : markers.Items()) {
      InterfacePtr<IXRefSourceMarker> marker(doc_, uid, IID_IXREFSOURCEMARKER);
      if (!marker) continue;
      const PMString name = marker->GetMarkerName();
      const UIDRef story = marker->GetStoryRef();
      const TextIndex at = marker->GetTextIndex();
      InterfacePtr<ITextModelCmds> cmds(story, IID_ITEXTMODELCMDS);
      if (name.IsEmpty() || !cmds || at < 0) continue;
      InterfacePtr<ICommand> del(cmds->DeleteCmd(at, 1));
      if (!XRefCommandUtils::Process(del.get())) {
        ErrorUtils::PMSetGlobalErrorCode(kSuccess);
        continue;
      }
      if (destinations->FindDestination(name) == kInvalidUID) links_->CreateTextAnchorDestination(story, at, name);
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    }
  }

  // The new native cross-reference's hyperlink; kInvalidUID when the
  // cross-reference stays as it is, which the log then says why.
  UID Migrate(UID uid) {
    InterfacePtr<IXRefCrossRef> crossRef(doc_, uid, IID_IXREFCROSSREF);
    if (!crossRef) return kInvalidUID;
    const PMString display = crossRef->GetDisplayText();
    PMString why;
    const UID made = MigrateOne(crossRef.get(), display, &why);
    if (made == kInvalidUID && !why.IsEmpty()) log_->AddEntry(display, why);
    return made;
  }

  UID MigrateOne(IXRefCrossRef* crossRef, const PMString& display, PMString* why) {
    const PMString markerName = crossRef->GetSourceMarkerName();
    // Anything else that keeps it is a native twin it could not be given.
    *why = XRefMigrationUtils::Warning(22);
    if (markerName.IsEmpty()) {
      *why = XRefMigrationUtils::Warning(21, PMString("(no name)"));
      return kInvalidUID;
    }
    PMString basicName = crossRef->GetFormatName();
    if (basicName.IsEmpty()) {
      basicName = XRefMigrationUtils::UnusedCustomFormatName(doc_);
      if (!XRefMigrationUtils::ConvertToBasicFormat(doc_, basicName, crossRef->GetFormatString())) return kInvalidUID;
    }
    const PMString language = LanguageAt(crossRef->GetStoryRef(), crossRef->GetStartIndex());
    if (!language.IsEmpty()) {
      const PMString variant = Joined(basicName, " (", language, ")");
      if (basic_->FindFormat(variant) != kInvalidUID) basicName = variant;
    }
    if (!crossRef->GetSourceDocument().IsEmpty()) {
      *why = XRefMigrationUtils::Warning(16);
      return kInvalidUID;
    }
    // Its text could not be replaced: it stays rather than get a native twin.
    InterfacePtr<IStoryLock> lock(crossRef->GetStoryRef(), IID_ISTORYLOCK);
    if (lock && lock->IsLocked()) {
      *why = XRefMigrationUtils::Warning(19);
      return kInvalidUID;
    }
    const UID format = basic_->FindFormat(basicName);
    if (format == kInvalidUID) {
      *why = XRefMigrationUtils::Warning(20, basicName);
      return kInvalidUID;
    }
    InterfacePtr<IHyperlinkList> list(doc_, kRootUID, IID_IHYPERLINKLIST);
    UID destination = list ? list->FindDestination(markerName) : kInvalidUID;
    if (destination == kInvalidUID) {
      *why = XRefMigrationUtils::Warning(21, markerName);
      return kInvalidUID;
    }
    destination = StyledDestination(destination, format, markerName, display);

    const TextIndex start = crossRef->GetStartIndex() - 1;
    const int32 length = crossRef->GetEndIndex() + 1 - start;
    if (!DeleteOwnHyperlinks(crossRef->GetStoryRef(), start, length)) return kInvalidUID;
    const UIDRef source = natives_->CreateCrossRefSource(crossRef->GetStoryRef(), start, length, format);
    if (source.GetUID() == kInvalidUID) return kInvalidUID;
    return links_->CreateHyperlink(source, UIDRef(doc_, destination), display, false).GetUID();
  }

  // The destination a format's paragraph-style condition asks for, made
  // when missing; the given one when the format has no condition or no
  // paragraph of the style is found (logged).
  UID StyledDestination(UID destination, UID format, const PMString& markerName, const PMString& display) {
    InterfacePtr<IXRefFormatMigrationData> styles(doc_, format, IID_IXREFFORMATMIGRATIONDATA);
    if (!styles) return destination;
    const bool preceding = styles->GetFirstStyleRef() != kInvalidUID;
    if (!preceding && styles->GetSecondStyleRef() == kInvalidUID) return destination;
    const PMString style = preceding ? styles->GetFirstStyleName() : styles->GetSecondStyleName();
    const PMString name =
        Joined(markerName, preceding ? " (Preceding style " : " (Following style ", style, ")");
    InterfacePtr<IHyperlinkList> list(doc_, kRootUID, IID_IHYPERLINKLIST);
    const UID existing = list->FindDestination(name);
    if (existing != kInvalidUID) return existing;
    InterfacePtr<IHyperlinkDestination> place(doc_, destination, IID_IHYPERLINKDESTINATION);
    const UIDRef story(doc_, place->GetStoryUID());
    const TextIndex at = XRefFindStyledParagraph(
        story, place->GetIndex(), preceding ? styles->GetFirstStyleRef() : styles->GetSecondStyleRef(), !preceding);
    if (at < 0) {
      log_->AddEntry(display, XRefMigrationUtils::Warning(preceding ? 17 : 18, style));
      return destination;
    }
    const UID made = links_->CreateTextAnchorDestination(story, at, name).GetUID();
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    // One anchor a character: an anchor already there marks the same place.
    return made != kInvalidUID ? made : AnchorAt(story, at, destination);
  }

  // The cross-reference's own hyperlink (a text source over its text and
  // markers): the native cross-reference, a hyperlink itself, replaces it.
  bool DeleteOwnHyperlinks(const UIDRef& story, TextIndex start, int32 length) {
    InterfacePtr<ITextHolderList> holders(doc_, kRootUID, IID_ITEXTHOLDERLIST);
    UIDList own(doc_);
    for (int32 i = 0; holders && i < holders->GetHolderCount(); ++i) {
      const UID uid = holders->GetNthHolder(i);
      InterfacePtr<ITextHolder> range(doc_, uid, IID_ITEXTHOLDER);
      if (!range || !InterfacePtr<IHyperlinkTextSource>(doc_, uid) || InterfacePtr<IHyperlinkCrossRefSource>(doc_, uid))
        continue;
      if (range->GetStoryUID() == story.GetUID() && range->GetStart() >= start &&
          range->GetEnd() <= TextRangeEnd(start, length))
        own.Append(uid);
    }
    if (own.IsEmpty()) return true;
    InterfacePtr<ICommand> del(XRefCommandUtils::CreateCommand(kDeleteHyperlinkTextSourceCmdBoss, own));
    return XRefCommandUtils::Process(del.get());
  }

  UID AnchorAt(const UIDRef& story, TextIndex at, UID otherwise) const {
    InterfacePtr<IHyperlinkList> list(doc_, kRootUID, IID_IHYPERLINKLIST);
    for (int32 i = 0; list && i < list->GetDestinationCount(); ++i) {
      InterfacePtr<IHyperlinkDestination> d(doc_, list->GetNthDestination(i), IID_IHYPERLINKDESTINATION);
      if (d && d->GetStoryUID() == story.GetUID() && d->GetIndex() == at) return list->GetNthDestination(i);
    }
    return otherwise;
  }

  PMString LanguageAt(const UIDRef& story, TextIndex at) const {
    InterfacePtr<ITextAttributes> attributes(story, IID_ITEXTATTRIBUTES);
    InterfacePtr<ILanguage> language(doc_, attributes ? attributes->GetLanguage(at) : kInvalidUID, IID_ILANGUAGE);
    if (!language) return PMString();
    PMString name = language->GetName();
    name.Translate();
    return name;
  }

  IDataBase* doc_ = nullptr;
  // Valid during Do only.
  IXRefConversionLog* log_ = nullptr;
  IBasicXRefFormatList* basic_ = nullptr;
  IHyperlinkUtils* links_ = nullptr;
  INativeCrossRefUtils* natives_ = nullptr;
};
}  // namespace

CREATE_PMINTERFACE(XRefMigrateProToBasicCmd, kXRefMigrateProToBasicCmdImpl);
