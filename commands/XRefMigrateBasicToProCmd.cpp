// Turns a document's native cross-references into this system's: each
// Basic format becomes a format of the same name, each text anchor a source
// marker, and each native cross-reference a cross-reference over the same
// text, as one undo step. Destinations the host marks as serving only the
// native cross-references go at the end. A failing sub-command ends its step.
// Format names stay unique: a format already there with the same mark-up
// serves, another name is found when the mark-up differs. A format whose
// mark-up the language would not accept is not added, and its native
// cross-references keep their text; both are logged, and the log presented.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefMigrationID.h"
#include "commands/XRefMigrationUtils.h"
#include "engine/IXRefConversionLog.h"
#include "format/IXRefParsingUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/IBasicXRefFormat.h"
#include "host/IHyperlinks.h"
#include "host/INativeCrossRefs.h"
#include "host/ITextHolder.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefFormats.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"
#include <map>

namespace {
constexpr const char* kName = "QX#0xF2C#kXRefMigrateBasicToProCmdKey";

struct ProFormat {
  PMString name;
  PMString markup;
  bool valid = false;
};

class XRefMigrateBasicToProCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    CmdUtils::SequenceContext sequence{PMString(kName)};
    IDataBase* doc = XRefMigrationUtils::DocumentOf(this);
    InterfacePtr<IBasicXRefFormatList> basic(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IBASICXREFFORMATLIST);
    InterfacePtr<IXRefFormats> pro(XRefMigrationUtils::QueryProFormats(doc));
    InterfacePtr<INativeCrossRefUtils> natives(UtilsBoss::QueryUtils<INativeCrossRefUtils>());
    InterfacePtr<IXRefConversionLog> log(doc, kRootUID, IID_IXREFCONVERSIONLOG);
    if (!basic || !pro || !natives || !log) return;
    const size_t mark = XRefMigrationUtils::LogMark(doc);
    // A failure ends its own step; the next step starts clean.
    MigrateFormats(doc, basic.get(), pro.get(), log.get());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    const UIDList removed = MigrateDestinations(doc, natives.get());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    MigrateCrossRefs(doc, natives.get());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    natives->DeleteDestinations(StillUnused(doc, removed));
    XRefMigrationUtils::PresentLog(doc, mark);
  }

  void DoNotify() override { XRefCommandUtils::NotifyApplication(this, IID_IXREFCROSSREF); }
  PMString* CreateName() override { return new PMString(kName); }

private:
  void MigrateFormats(IDataBase* doc, IBasicXRefFormatList* basic, IXRefFormats* pro, IXRefConversionLog* log) {
    for (int32 i = 0; i < basic->GetFormatCount(); ++i) {
      const UID uid = basic->GetNthFormat(i);
      InterfacePtr<IBasicXRefFormat> format(doc, uid, IID_IBASICXREFFORMAT);
      if (!format) continue;
      bool dropped = false;
      ProFormat made{format->GetName(), XRefMigrationUtils::ProMarkupOf(doc, format->GetBuildingBlocks(), &dropped)};
      if (dropped) log->AddEntry(made.name, XRefMigrationUtils::Warning(24));
      if (!XRefMigrationUtils::IsValidFormat(made.markup)) {
        log->AddEntry(made.name, XRefMigrationUtils::Warning(25));
        formats_[uid] = made;
        continue;
      }
      made.valid = true;
      const bool exists = FreeOrSameName(pro, &made);
      if (made.name != format->GetName()) log->AddEntry(format->GetName(), XRefMigrationUtils::Warning(23, made.name));
      formats_[uid] = made;
      if (!exists && !XRefMigrationUtils::AddProFormat(doc, made.name, made.markup)) return;
    }
  }

  // Walks the names the format list makes unique ("Page", "Page (2)", ...)
  // up to the first that is free or names a format of the same mark-up,
  // which then serves as it is (true), so that going back and forth adds
  // nothing. Mark-up is compared with its escapes read.
  static bool FreeOrSameName(IXRefFormats* pro, ProFormat* made) {
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    PMString wanted = made->markup;
    if (utils) utils->ConvertMetacharacters(wanted);
    const PMString base = made->name;
    for (int32 n = 2;; ++n) {
      const int32 at = pro->FindFormat(made->name);
      if (at < 0) return false;
      PMString markup = pro->GetFormatString(at);
      if (utils) utils->ConvertMetacharacters(markup);
      if (markup == wanted) {
        made->name = pro->GetFormatName(at);
        return true;
      }
      made->name = base;
      made->name.Append(" (");
      made->name.AppendNumber(n);
      made->name.Append(")");
      made->name.SetTranslatable(false);
    }
  }

  // Answers the destinations to delete once the cross-references moved.
  UIDList MigrateDestinations(IDataBase* doc, INativeCrossRefUtils* natives) {
    UIDList removed(doc);
    InterfacePtr<IXRefSourceMarkerList> markers(XRefCommandUtils::QueryMarkerList(doc));
    InterfacePtr<IHyperlinkList> links(doc, kRootUID, IID_IHYPERLINKLIST);
    if (!markers || !links) return removed;
    // Inserting markers does not change the destinations' list.
    const int32 count = links->GetDestinationCount();
    for (int32 i = 0; i < count; ++i) {
      const UID uid = links->GetNthDestination(i);
      InterfacePtr<IHyperlinkDestination> destination(doc, uid, IID_IHYPERLINKDESTINATION);
      if (!destination || markers->HasMarker(destination->GetName())) continue;
      if (natives->IsRemovedAfterMigration(doc, uid)) removed.Append(uid);
      const TextIndex at = destination->GetIndex();
      if (at < 0) continue;  // its character is gone: no place to mark
      const UIDRef story(doc, destination->GetStoryUID());
      if (!XRefMigrationUtils::InsertSourceMarker(story, at, destination->GetName())) break;
    }
    return removed;
  }

  // A destination that a hyperlink still needs (a native cross-reference
  // that could not move) stays.
  static UIDList StillUnused(IDataBase* doc, const UIDList& destinations) {
    UIDList unused(doc);
    InterfacePtr<IHyperlinkList> links(doc, kRootUID, IID_IHYPERLINKLIST);
    for (UID uid : destinations.Items()) {
      bool needed = false;
      for (int32 i = 0; links && i < links->GetHyperlinkCount() && !needed; ++i) {
        InterfacePtr<IHyperlink> link(doc, links->GetNthHyperlink(i), IID_IHYPERLINK);
        needed = link && link->GetDestinationUID() == uid;
      }
      if (!needed) unused.Append(uid);
    }
    return unused;
  }

  void MigrateCrossRefs(IDataBase* doc, INativeCrossRefUtils* natives) {
    InterfacePtr<IHyperlinkList> links(doc, kRootUID, IID_IHYPERLINKLIST);
    if (!links) return;
    std::vector<UID> collected;
    for (int32 i = links->GetHyperlinkCount() - 1; i >= 0; --i)
      if (natives->IsNativeCrossRef(doc, links->GetNthHyperlink(i))) collected.push_back(links->GetNthHyperlink(i));
    for (UID uid : collected)
      if (!MigrateCrossRef(doc, uid)) return;
  }

  bool MigrateCrossRef(IDataBase* doc, UID hyperlink) {
    InterfacePtr<IHyperlink> link(doc, hyperlink, IID_IHYPERLINK);
    InterfacePtr<ITextHolder> range(doc, link ? link->GetSourceUID() : kInvalidUID, IID_ITEXTHOLDER);
    InterfacePtr<IHyperlinkCrossRefSource> source(range.get(), IID_IHYPERLINKCROSSREFSOURCE);
    InterfacePtr<IHyperlinkDestination> destination(doc, link ? link->GetDestinationUID() : kInvalidUID,
                                                    IID_IHYPERLINKDESTINATION);
    if (!range || !source) return false;
    if (!destination) return true;  // broken: there is no marker to name; it stays as it is
    const ProFormat format = formats_[source->GetFormatUID()];
    if (!format.valid) return true;  // logged with its format; it keeps its text
    const UID sourceUID = link->GetSourceUID();
    if (!XRefMigrationUtils::InsertCrossRef(UIDRef(doc, range->GetStoryUID()), range->GetStart(), range->GetLength(),
                                            destination->GetName(), format.name, format.markup))
      return false;
    // Replacing its text took it along, unless it had none: then it goes
    // now, or it would stand beside the cross-reference that replaced it.
    if (!InterfacePtr<IHyperlinkCrossRefSource>(doc, sourceUID)) return true;
    InterfacePtr<ICommand> del(XRefCommandUtils::CreateCommand(kDeleteHyperlinkTextSourceCmdBoss, UIDList(doc, sourceUID)));
    return XRefCommandUtils::Process(del.get());
  }

  std::map<UID, ProFormat> formats_;
};
}  // namespace

CREATE_PMINTERFACE(XRefMigrateBasicToProCmd, kXRefMigrateBasicToProCmdImpl);
