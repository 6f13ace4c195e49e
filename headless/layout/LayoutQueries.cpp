// The layout's answers to the plug-in: the page list, the owner page of a
// frame, overset stories, per-line information and the line object.
#include "headless/layout/LayoutQueries.h"
#include "headless/database/DataBase.h"
#include "headless/layout/Footnotes.h"
#include "headless/layout/PageNumbers.h"
#include "headless/layout/StoryComposition.h"
#include "host/CreateObject.h"
#include "host/InterfacePtr.h"
#include "host/ITextModel.h"

namespace {
uint64_t gPageRevision = 1;

std::vector<UID> AllPages(IDataBase* db) {
  std::vector<UID> pages;
  InterfacePtr<ISpreadList> spreads(db, kRootUID, IID_ISPREADLIST);
  if (!spreads) return pages;
  for (int32 s = 0; s < spreads->GetSpreadCount(); ++s) {
    InterfacePtr<ISpread> spread(db, spreads->GetNthSpreadUID(s), IID_ISPREAD);
    if (!spread) continue;
    for (int32 p = 0; p < spread->GetNumPages(); ++p) pages.push_back(spread->GetNthPageUID(p));
  }
  return pages;
}
}  // namespace

void PagesChanged() { ++gPageRevision; }

const std::vector<UID>& PageListImpl::Pages() const {
  auto* db = static_cast<DataBase*>(::GetDataBase(this));
  if (!db) {
    pages_.clear();
    index_.clear();
    revision_ = 0;
    return pages_;
  }
  if (revision_ == gPageRevision) return pages_;
  pages_ = AllPages(db);
  index_.clear();
  for (size_t i = 0; i < pages_.size(); ++i) index_.emplace(pages_[i], static_cast<int32>(i));
  revision_ = gPageRevision;
  return pages_;
}

int32 PageListImpl::GetPageCount() const { return static_cast<int32>(Pages().size()); }

UID PageListImpl::GetNthPageUID(int32 n) const {
  const auto& pages = Pages();
  return n >= 0 && n < static_cast<int32>(pages.size()) ? pages[static_cast<size_t>(n)] : kInvalidUID;
}

int32 PageListImpl::GetPageIndex(UID page) const {
  Pages();
  auto it = index_.find(page);
  return it == index_.end() || page == kInvalidUID ? -1 : it->second;
}

bool16 PageListImpl::GetPageString(UID page, PMString* out, bool16 useSectionName, bool16 forceArabic,
                                   int32 numberType, bool16 display) const {
  int32 index = GetPageIndex(page);
  if (index < 0 || !out) return false;
  InterfacePtr<ISectionList> sections(::GetDataBase(this), kRootUID, IID_ISECTIONLIST);
  Section section = sections ? sections->GetSectionOfPage(index) : Section();
  const int32 offset = index - section.startPage;
  int32 number = section.startNumber + offset;
  int32 style = forceArabic ? static_cast<int32>(kArabicNumbers) : section.style;
  if (numberType == kActualPageNumber) {
    number = index + 1;
    style = kArabicNumbers;
  } else if (numberType == kOrdinalPageNumber) {
    number = offset + 1;
  }
  if (!display) {
    *out = FormatNumber(number, kArabicNumbers);
    return true;
  }
  PMString result;
  if (useSectionName) result.Append(section.prefix);
  result.Append(FormatNumber(number, style));
  result.SetTranslatable(false);
  *out = result;
  return true;
}

UID FindOwnerPage(IDataBase* db, UID at) {
  // Walk up until a page, or a spread for objects on the pasteboard.
  for (int depth = 0; depth < 16 && db && at != kInvalidUID; ++depth) {
    ClassID cls = db->GetClass(at);
    if (cls == kPageBoss || cls == kSpreadBoss) return at;
    InterfacePtr<IHierarchy> up(db, at, IID_IHIERARCHY);
    if (!up) return kInvalidUID;
    at = up->GetParentUID();
  }
  return kInvalidUID;
}

UID LayoutUtilsImpl::GetOwnerPageUID(const IHierarchy* hierarchy) const {
  return hierarchy ? FindOwnerPage(::GetDataBase(hierarchy), hierarchy->GetParentUID()) : kInvalidUID;
}

bool16 StoryFrameUtilsImpl::IsOverset(IFrameList* frames) const {
  if (!frames) return false;
  InterfacePtr<ITextModel> text(frames, IID_ITEXTMODEL);
  if (!text) return false;
  return frames->GetOversetStart() < text->TotalLength();
}

bool16 LineInfoImpl::GetLineInfo(TextIndex at, LineInfo* info) {
  IDataBase* db = ::GetDataBase(this);
  UID story = ::GetUID(this);
  // A footnote's lines are placed with its reference.
  if (!PlacedPosition(db, &story, &at)) return false;
  const StoryComposition* c = ComposeStoryThrough(db, story, at);
  int32 lineNumber = -1;
  const auto line = c ? c->LineAt(at, &lineNumber) : std::nullopt;
  if (!line || !info) return false;
  UID frameUID = c->FrameUID(line->frame);
  InterfacePtr<ITextFrame> frame(db, frameUID, IID_ITEXTFRAME);
  InterfacePtr<IHierarchy> place(db, frameUID, IID_IHIERARCHY);
  *info = LineInfo();
  UID page = place ? FindOwnerPage(db, place->GetParentUID()) : kInvalidUID;
  info->pageUID = static_cast<int32>(UIDValue(page));
  InterfacePtr<IPageList> pages(db, kRootUID, IID_IPAGELIST);
  if (pages) pages->GetPageString(page, &info->pageString, true, false, kDefaultPageNumber, true);
  info->baseline = (frame ? frame->GetY() : 0) + (line->lineInFrame + 1) * kLineHeight;
  info->frameUID = static_cast<int32>(UIDValue(frameUID));
  info->lineStart = line->start;
  info->lineInFrame = static_cast<int16>(line->lineInFrame);
  info->lineLength = line->length;
  if (db->GetClass(page) == kSpreadBoss) {
    info->spreadUID = info->pageUID;
  } else {
    InterfacePtr<IHierarchy> pageParent(db, page, IID_IHIERARCHY);
    info->spreadUID = pageParent ? static_cast<int32>(UIDValue(pageParent->GetParentUID())) : 0;
  }
  return true;
}

bool16 WaxLineImpl::HasAdornment(ClassID adornment) const {
  const auto* list = composition_ ? composition_->FindAdornments(line_) : nullptr;
  if (!list) return false;
  return std::any_of(list->begin(), list->end(), [&](auto& a) { return a.first == adornment; });
}

void WaxLineImpl::AddAdornment(ClassID adornment, double drawPriority) {
  if (composition_ && !HasAdornment(adornment)) composition_->Adornments(line_).emplace_back(adornment, drawPriority);
}

int32 WaxLineImpl::GetAdornmentCount() const {
  const auto* list = composition_ ? composition_->FindAdornments(line_) : nullptr;
  return list ? static_cast<int32>(list->size()) : 0;
}

IPMUnknown* MakeWaxLine(StoryComposition* composition, int32 lineNumber, UID frame, const ComposedLine& line) {
  auto* wax = static_cast<WaxLineImpl*>(CreateObject(kWaxLineBoss, IID_IWAXLINE));
  if (wax) wax->Set(composition, lineNumber, frame, line.start, line.length);
  return wax;
}
