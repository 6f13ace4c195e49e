#include "cli/StoryNumbers.h"
#include "cli/CrossRefEntries.h"
#include "cli/DocumentWorkflow.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "model/IXRefCrossRef.h"

std::string PageAt(IDataBase* db, UID story, TextIndex at) {
  InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
  InterfacePtr<IHierarchy> frame(db, frames ? frames->GetFrameContaining(at) : kInvalidUID, IID_IHIERARCHY);
  InterfacePtr<ILayoutUtils> layout(UtilsBoss::QueryUtils<ILayoutUtils>());
  const UID page = frame && layout ? layout->GetOwnerPageUID(frame.get()) : kInvalidUID;
  if (page == kInvalidUID) return "overset";
  if (db->GetClass(page) == kSpreadBoss) return "pasteboard";
  InterfacePtr<IPageList> pages(db, kRootUID, IID_IPAGELIST);
  PMString s;
  if (!pages || !pages->GetPageString(page, &s, true, false, kDefaultPageNumber, true)) return "?";
  return "page " + s.GetUTF8String();
}

namespace {

CrossRefEntry EntryOf(IXRefCrossRef* crossRef, UID uid, const XRefEvaluation& ev) {
  CrossRefEntry e;
  e.uid = uid;
  e.story = crossRef->GetStoryRef().GetUID();
  e.storyNumber = StoryNumber(crossRef->GetStoryRef().GetDataBase(), e.story);
  e.index = crossRef->GetStartIndex() - 1;
  e.page = PageAt(crossRef->GetStoryRef().GetDataBase(), e.story, e.index);
  e.formatName = crossRef->GetFormatName().GetUTF8String();
  e.format = crossRef->GetFormatString().GetUTF8String();
  if (crossRef->IsExternal()) e.sourceDocument = crossRef->GetSourceDocument().GetPath();
  e.sourceMarker = crossRef->GetSourceMarkerName().GetUTF8String();
  e.text = crossRef->GetCurrentText(true).GetUTF8String();
  e.sourceState = ev.sourceFound ? 0 : 1;
  e.sourceMessage = ev.sourceMessage.GetUTF8String();
  e.compositionState = !ev.sourceFound ? -1 : ev.composes ? 0 : 1;
  e.compositionMessage = !ev.sourceFound ? crossRef->GetCompositionStateMessage().GetUTF8String()
                                         : ev.compositionMessage.GetUTF8String();
  e.locked = ev.locked;
  e.upToDate = ev.upToDate;
  return e;
}

const char* StateWord(int32 state) { return state < 0 ? "unknown" : state == 0 ? "ok" : "bad"; }
}  // namespace

std::vector<CrossRefEntry> ListCrossRefEntries(IDataBase* doc) {
  std::vector<CrossRefEntry> entries;
  const UIDList crossRefs = CrossRefsOf(doc);
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
    if (crossRef) entries.push_back(EntryOf(crossRef.get(), crossRefs.At(i), crossRef->Evaluate()));
  }
  return entries;
}

nlohmann::json ToJson(const CrossRefEntry& e) {
  return {{"story", e.storyNumber},
          {"index", e.index},
          {"page", e.page},
          {"format", {{"name", e.formatName}, {"markup", e.format}}},
          {"source", {{"document", e.sourceDocument.empty() ? nullptr : nlohmann::json(e.sourceDocument)},
                      {"marker", e.sourceMarker}}},
          {"text", e.text},
          {"sourceState", e.sourceState},
          {"sourceMessage", e.sourceMessage},
          {"compositionState", e.compositionState},
          {"compositionMessage", e.compositionMessage},
          {"locked", e.locked},
          {"upToDate", e.sourceState == 0 && e.compositionState == 0 ? nlohmann::json(e.upToDate) : nullptr}};
}

std::string ToLine(const CrossRefEntry& e) {
  std::string source = e.sourceDocument.empty() ? "\"" + e.sourceMarker + "\""
                                                : e.sourceDocument + "#\"" + e.sourceMarker + "\"";
  std::string format = e.formatName.empty() ? "custom " + e.format : "\"" + e.formatName + "\"";
  return "story " + std::to_string(e.storyNumber) + ":" + std::to_string(e.index) + " [" + e.page +
         "] format " + format + " source " + source + " text \"" + e.text + "\" source " +
         StateWord(e.sourceState) + ", composition " + StateWord(e.compositionState) + (e.locked ? ", locked" : "") +
         (e.sourceState == 0 && e.compositionState == 0 ? (e.upToDate ? ", up to date" : ", out of date") : "");
}

std::string FindingKind(const XRefEvaluation& ev) {
  if (!ev.sourceFound) return "broken";
  if (!ev.composes) return "failed";
  if (ev.upToDate) return std::string();
  return ev.locked ? "locked" : "stale";
}

std::vector<CheckFinding> CheckCrossRefs(IDataBase* doc) {
  std::vector<CheckFinding> findings;
  const UIDList crossRefs = CrossRefsOf(doc);
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
    if (!crossRef) continue;
    const XRefEvaluation ev = crossRef->Evaluate();
    const std::string kind = FindingKind(ev);
    if (kind.empty()) continue;
    CrossRefEntry entry = EntryOf(crossRef.get(), crossRefs.At(i), ev);
    const std::string composed = "it now composes to \"" + ev.composed.GetUTF8String() + "\"";
    std::string message = kind == "broken"   ? entry.sourceMessage
                          : kind == "failed" ? entry.compositionMessage
                          : kind == "stale"  ? "the text is out of date: " + composed
                                             : "the story is locked and the text is out of date: " + composed;
    findings.push_back({kind, message, entry});
  }
  return findings;
}
