// The stories of a description, read back from a document: frames,
// paragraphs and runs, with a placeholder wherever the program placed a
// source marker, a cross-reference, a text anchor or a native
// cross-reference, and footnotes and text variables where they stand.
#include "cli/DocumentExport.h"
#include "cli/NativeCrossRefs.h"
#include "cli/SourceMarkers.h"
#include "host/ICharAttrStrand.h"
#include "host/IDocument.h"
#include "host/IFootnote.h"
#include "host/IHyperlinks.h"
#include "host/ILayout.h"
#include "host/IOwnedItemStrand.h"
#include "host/IParaAttrStrand.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryList.h"
#include "host/IStoryLock.h"
#include "host/IStyleGroupManager.h"
#include "host/ITextModel.h"
#include "host/ITextVariable.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormats.h"
#include <filesystem>
#include <map>

using json = nlohmann::ordered_json;

namespace {
const char* const kNumberings[] = {"none", "bullets", "numbered"};

// A placeholder over [index, index + length) of its story.
struct Placed {
  json item;
  int32 length = 0;
};
using Place = std::pair<UID, TextIndex>;

// A run of one field: {"kind": value}.
json Item(const char* kind, json value) {
  json item = json::object();
  item[kind] = std::move(value);
  return item;
}

template <class I>
InterfacePtr<I> StrandOf(ITextModel* text, ClassID cls, PMIID iid) {
  return InterfacePtr<I>(static_cast<I*>(text->QueryStrand(cls, iid)));
}

class StoryWriter {
public:
  StoryWriter(IDataBase* doc, const std::string& folder) : doc_(doc), folder_(folder) {
    InterfacePtr<IDocument> document(doc, kRootUID);
    const UIDRef workspace = document ? document->GetDocWorkspace() : UIDRef();
    InterfacePtr<IStyleGroupManager> chars(workspace, IID_ICHARSTYLEGROUPMANAGER);
    InterfacePtr<IStyleGroupManager> paras(workspace, IID_IPARASTYLEGROUPMANAGER);
    rootChar_ = chars ? chars->GetRootStyleUID() : kInvalidUID;
    rootPara_ = paras ? paras->GetRootStyleUID() : kInvalidUID;
    formats_ = InterfacePtr<IXRefFormats>(workspace);
    for (const SourceMarkerEntry& m : ListSourceMarkers(doc))
      if (m.story != kInvalidUID) placed_[{m.story, m.index}] = Placed{Item("sourceMarker", {{"name", m.name}}), 1};
    CrossRefs();
    for (const NativeCrossRefEntry& e : ListNativeCrossRefs(doc)) {
      if (e.format.empty() || e.destination.empty()) continue;  // shown as the text it left
      json fields = {{"destination", e.destination}, {"format", e.format}};
      if (e.text != e.composed && !e.text.empty()) fields["text"] = e.text;
      placed_[{e.story, e.start}] = Placed{Item("nativeCrossReference", fields), e.length};
    }
    InterfacePtr<IHyperlinkList> links(doc, kRootUID);
    for (int32 i = 0; links && i < links->GetDestinationCount(); ++i) {
      InterfacePtr<IHyperlinkDestination> d(doc, links->GetNthDestination(i));
      if (d && d->GetIndex() >= 0) anchors_.insert({{d->GetStoryUID(), d->GetIndex()}, d->GetName().GetUTF8String()});
    }
  }

  json Story(UID story) {
    InterfacePtr<ITextModel> text(doc_, story, IID_ITEXTMODEL);
    auto paragraphs = StrandOf<IParagraphStrand>(text.get(), kParagraphStrandBoss, IID_IPARAGRAPHSTRAND);
    auto attrs = StrandOf<IParaAttrStrand>(text.get(), kParaAttrStrandBoss, IID_IPARAATTRSTRAND);
    json out = json::object();
    json frames = Frames(story);
    if (!frames.empty()) out["frames"] = frames;
    json list = json::array();
    for (int32 p = 0; paragraphs && attrs && p < paragraphs->GetParagraphCount(); ++p) {
      int32 length = 0;
      const TextIndex start = paragraphs->GetNthParagraphStart(p, &length);
      list.push_back(Paragraph(story, start, start + length - 1, attrs.get()));
    }
    out["paragraphs"] = list;
    InterfacePtr<IStoryLock> lock(doc_, story, IID_ISTORYLOCK);
    if (lock && lock->IsLocked()) out["locked"] = true;
    return out;
  }

private:
  void CrossRefs() {
    InterfacePtr<IXRefCrossRefList> list(doc_, kRootUID);
    for (int32 i = 0; list && i < list->GetCrossRefCount(); ++i) {
      InterfacePtr<IXRefCrossRef> x(list->QueryCrossRef(i));
      if (!x || x->GetStartMarker() == kInvalidUID) continue;
      json fields = {{"source", x->GetSourceMarkerName().GetUTF8String()}};
      const std::string name = x->GetFormatName().GetUTF8String();
      const int32 at = formats_ && !name.empty() ? formats_->FindFormat(x->GetFormatName()) : -1;
      // By name only while the list's format is still the one it composes.
      if (at >= 0 && formats_->GetFormatString(at) == x->GetFormatString()) fields["format"] = name;
      else fields["markup"] = x->GetFormatString().GetUTF8String();
      if (x->IsExternal()) fields["document"] = Relative(x->GetSourceDocument().GetPath());
      const TextIndex start = x->GetStartIndex() - 1;
      placed_[{x->GetStoryRef().GetUID(), start}] = Placed{Item("crossReference", fields), x->GetEndIndex() - start + 1};
    }
  }

  std::string Relative(const std::string& path) const {
    if (folder_.empty()) return path;
    const auto relative = std::filesystem::path(path).lexically_relative(folder_);
    return relative.empty() ? path : relative.string();
  }

  json Frames(UID story) const {
    json list = json::array();
    InterfacePtr<IFrameList> frames(doc_, story, IID_IFRAMELIST);
    InterfacePtr<IPageList> pages(doc_, kRootUID, IID_IPAGELIST);
    InterfacePtr<ISpreadList> spreads(doc_, kRootUID, IID_ISPREADLIST);
    for (int32 i = 0; frames && pages && spreads && i < frames->GetFrameCount(); ++i) {
      const UID uid = frames->GetNthFrameUID(i);
      InterfacePtr<ITextFrame> frame(doc_, uid, IID_ITEXTFRAME);
      InterfacePtr<IHierarchy> parent(doc_, uid, IID_IHIERARCHY);
      if (!frame || !parent) continue;
      json f = json::object();
      if (doc_->GetClass(parent->GetParentUID()) == kPageBoss) {
        f["page"] = pages->GetPageIndex(parent->GetParentUID());
      } else {
        for (int32 s = 0; s < spreads->GetSpreadCount(); ++s)
          if (spreads->GetNthSpreadUID(s) == parent->GetParentUID()) f["pasteboard"] = s;
      }
      f["columns"] = frame->GetColumns();
      f["lines"] = frame->GetLines();
      if (frame->GetX() != 0) f["x"] = frame->GetX();
      if (frame->GetY() != 0) f["y"] = frame->GetY();
      list.push_back(f);
    }
    return list;
  }

  // [start, end) of the story, end being the paragraph's return.
  json Paragraph(UID story, TextIndex start, TextIndex end, IParaAttrStrand* attrs) {
    json runs = Runs(story, start, end);
    const UID style = attrs->GetParagraphStyle(start);
    const int32 numbering = attrs->GetNumberingOverride(start);
    if (style == rootPara_ && numbering < 0 && runs.empty()) return "";
    if (style == rootPara_ && numbering < 0 && runs.size() == 1 && runs[0].is_string()) return runs[0];
    json out = json::object();
    if (style != rootPara_) out["style"] = DescribedStylePath(doc_, style);
    if (numbering >= 0 && numbering <= kNumberedList) out["numbering"] = kNumberings[numbering];
    out["runs"] = runs;
    return out;
  }

  // The runs of [from, to) of the story; text anchors at `to` too, since an
  // anchor on the paragraph's return stands after its last run.
  json Runs(UID story, TextIndex from, TextIndex to) {
    InterfacePtr<ITextModel> model(doc_, story, IID_ITEXTMODEL);
    auto chars = StrandOf<ICharAttrStrand>(model.get(), kCharAttrStrandBoss, IID_ICHARATTRSTRAND);
    auto owned = StrandOf<IOwnedItemStrand>(model.get(), kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND);
    const std::u16string text = model->CopyText(0, model->TotalLength()).Units();
    json runs = json::array();
    std::u16string pending;
    UID style = kInvalidUID;
    AttributeBossList overrides;
    auto flush = [&] {
      if (!pending.empty()) runs.push_back(TextRun(pending, style, overrides));
      pending.clear();
    };
    for (TextIndex i = from; i <= to; ++i) {
      for (auto a = anchors_.lower_bound({story, i}); a != anchors_.end() && a->first == Place{story, i}; ++a) {
        flush();
        runs.push_back(Item("textAnchor", {{"name", a->second}}));
      }
      if (i == to) break;
      auto placed = placed_.find({story, i});
      if (placed != placed_.end()) {
        flush();
        runs.push_back(placed->second.item);
        i += std::max(placed->second.length, 1) - 1;
        continue;
      }
      json anchored = Anchored(owned.get(), i, text[static_cast<size_t>(i)]);
      if (!anchored.is_null()) {
        flush();
        runs.push_back(anchored);
        continue;
      }
      const UID charStyle = chars ? chars->GetCharStyle(i) : rootChar_;
      const AttributeBossList local = chars ? chars->GetOverrides(i) : AttributeBossList();
      if (charStyle != style || !(local == overrides)) flush();
      style = charStyle;
      overrides = local;
      pending += text[static_cast<size_t>(i)];
    }
    flush();
    return runs;
  }

  json TextRun(const std::u16string& text, UID style, const AttributeBossList& overrides) const {
    const std::string utf8 = WideString(text).GetUTF8String();
    json attributes = ExportAttributes(doc_, overrides);
    if ((style == rootChar_ || style == kInvalidUID) && attributes.empty()) return utf8;
    json run = {{"text", utf8}};
    if (style != rootChar_ && style != kInvalidUID) run["style"] = DescribedStylePath(doc_, style);
    if (!attributes.empty()) run["attributes"] = attributes;
    return run;
  }

  // A footnote reference or a text variable at the index; null for anything else.
  json Anchored(IOwnedItemStrand* owned, TextIndex at, char16_t c) {
    if (!owned || (c != u'\x0004' && c != u'\x0018')) return json();
    for (const OwnedItemInfo& item : owned->GetOwnedItems(at, at + 1)) {
      if (item.index != at) continue;
      InterfacePtr<IFootnote> note(doc_, item.uid, IID_IFOOTNOTE);
      if (note) return Item("footnote", Footnote(note->GetFootnoteStoryUID()));
      InterfacePtr<ITextVariableInstance> instance(doc_, item.uid, IID_ITEXTVARIABLEINSTANCE);
      InterfacePtr<ITextVariable> variable(doc_, instance ? instance->GetVariableUID() : kInvalidUID,
                                           IID_ITEXTVARIABLE);
      if (variable) return Item("variable", variable->GetName().GetUTF8String());
    }
    return json();
  }

  // The footnote's text after its number and separator: a string when it
  // is plain, else its runs.
  json Footnote(UID story) {
    InterfacePtr<ITextModel> model(doc_, story, IID_ITEXTMODEL);
    InterfacePtr<IFootnoteSettings> settings(doc_, kRootUID, IID_IFOOTNOTESETTINGS);
    if (!model) return "";
    const std::u16string text = model->CopyText(0, model->TotalLength()).Units();
    const std::u16string lead = u"\x0004" + (settings ? settings->GetSeparator().GetWideString().Units() : u"");
    const TextIndex from = text.compare(0, lead.size(), lead) == 0 ? static_cast<TextIndex>(lead.size()) : 1;
    json runs = Runs(story, std::min(from, model->TotalLength() - 1), model->TotalLength() - 1);
    if (runs.empty()) return "";
    if (runs.size() == 1 && runs[0].is_string()) return runs[0];
    return runs;
  }

  IDataBase* doc_;
  std::string folder_;
  UID rootChar_ = kInvalidUID, rootPara_ = kInvalidUID;
  InterfacePtr<IXRefFormats> formats_;
  std::map<Place, Placed> placed_;
  std::multimap<Place, std::string> anchors_;
};
}  // namespace

json ExportStories(IDataBase* doc, const std::string& folder) {
  StoryWriter writer(doc, folder);
  json list = json::array();
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i) {
    const UID story = stories->GetNthStoryUID(i);
    InterfacePtr<IHierarchy> owner(doc, story, IID_IHIERARCHY);
    if (owner && owner->GetParentUID() != kInvalidUID) continue;  // a footnote's, written where it stands
    list.push_back(writer.Story(story));
  }
  return list;
}
