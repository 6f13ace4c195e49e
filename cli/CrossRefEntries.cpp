#include "cli/StoryNumbers.h"
#include "cli/CrossRefEntries.h"
#include "cli/DocumentWorkflow.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "model/IXRefCrossRef.h"
#include "model/XRefQuoteEquality.h"

namespace {
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

CrossRefEntry EntryOf(IXRefCrossRef* crossRef, UID uid) {
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
  e.sourceState = crossRef->GetSourceState();
  e.compositionState = crossRef->GetCompositionState();
  e.sourceMessage = crossRef->GetSourceStateMessage().GetUTF8String();
  e.compositionMessage = crossRef->GetCompositionStateMessage().GetUTF8String();
  return e;
}

const char* StateWord(int32 state) { return state < 0 ? "unknown" : state == 0 ? "ok" : "bad"; }
}  // namespace

std::vector<CrossRefEntry> ListCrossRefEntries(IDataBase* doc) {
  std::vector<CrossRefEntry> entries;
  const UIDList crossRefs = CrossRefsOf(doc);
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
    if (!crossRef) continue;
    crossRef->IsSourceBroken();
    entries.push_back(EntryOf(crossRef.get(), crossRefs.At(i)));
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
          {"compositionMessage", e.compositionMessage}};
}

std::string ToLine(const CrossRefEntry& e) {
  std::string source = e.sourceDocument.empty() ? "\"" + e.sourceMarker + "\""
                                                : e.sourceDocument + "#\"" + e.sourceMarker + "\"";
  std::string format = e.formatName.empty() ? "custom " + e.format : "\"" + e.formatName + "\"";
  return "story " + std::to_string(e.storyNumber) + ":" + std::to_string(e.index) + " [" + e.page +
         "] format " + format + " source " + source + " text \"" + e.text + "\" source " +
         StateWord(e.sourceState) + ", composition " + StateWord(e.compositionState);
}

std::vector<CheckFinding> CheckCrossRefs(IDataBase* doc) {
  struct Sound {
    UID uid;
    CrossRefEntry entry;
    std::string composed;  // empty when the stored text agrees
  };
  std::vector<Sound> sound;
  std::vector<CheckFinding> findings;
  const UIDList crossRefs = CrossRefsOf(doc);
  // First the stored texts against what composes now, before any
  // recomposition moves text or pages.
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
    if (!crossRef) continue;
    const bool broken = crossRef->IsSourceBroken();
    CrossRefEntry entry = EntryOf(crossRef.get(), crossRefs.At(i));
    if (broken) {
      findings.push_back({"broken", entry.sourceMessage, entry});
      continue;
    }
    const PMString composed = crossRef->ComposeUntranslatedText();
    const bool agrees = XRefQuoteEquality::Equal(composed, crossRef->GetCurrentText(false));
    sound.push_back({crossRefs.At(i), entry, agrees ? std::string() : "\"" + composed.GetUTF8String() + "\""});
  }
  // Then whether composing works at all, which only an update tells; a
  // failure says more than a text that differs.
  for (Sound& s : sound) {
    InterfacePtr<IXRefCrossRef> crossRef(doc, s.uid);
    if (!crossRef) continue;
    crossRef->Update(false);
    if (crossRef->IsCompositionFailed())
      findings.push_back({"failed", crossRef->GetCompositionStateMessage().GetUTF8String(), s.entry});
    else if (!s.composed.empty())
      findings.push_back({"stale", "the text is out of date: it now composes to " + s.composed, s.entry});
  }
  return findings;
}
