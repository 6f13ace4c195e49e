#include "headless/layout/LayoutObjects.h"
#include "headless/layout/Footnotes.h"
#include "headless/layout/LayoutQueries.h"
#include "headless/layout/StoryComposition.h"
#include "host/IPMStream.h"
#include "host/InterfacePtr.h"
#include <algorithm>

SpreadListImpl::~SpreadListImpl() { PagesChanged(); }

void SpreadListImpl::Append(UID spread) {
  PreDirty();
  spreads_.Append(spread);
  PagesChanged();
}

void SpreadListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  if (s->IsReading()) PagesChanged();
  spreads_.ReadWriteXferObject(s);
}

SpreadImpl::~SpreadImpl() { PagesChanged(); }

void SpreadImpl::Append(UID page) {
  PreDirty();
  pages_.Append(page);
  PagesChanged();
}

void SpreadImpl::ReadWrite(IPMStream* s, ImplementationID) {
  if (s->IsReading()) PagesChanged();
  pages_.ReadWriteXferObject(s);
}

void HierarchyImpl::SetParentUID(UID parent) {
  if (parent == parent_) return;
  PreDirty();
  parent_ = parent;
}

void HierarchyImpl::ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(parent_); }

TextFrameImpl::~TextFrameImpl() { FramesChanged(); }

void TextFrameImpl::Set(UID story, int32 columns, int32 lines, double x, double y) {
  PreDirty();
  story_ = story;
  columns_ = std::max(columns, 0);
  lines_ = std::max(lines, 0);
  x_ = x;
  y_ = y;
  FramesChanged();
}

void TextFrameImpl::ReadWrite(IPMStream* s, ImplementationID) {
  if (s->IsReading()) FramesChanged();
  s->XferReference(story_);
  s->XferInt32(columns_);
  s->XferInt32(lines_);
  s->XferReal(x_);
  s->XferReal(y_);
  if (s->IsReading() && (columns_ < 0 || lines_ < 0)) {
    s->SetBad();
    columns_ = lines_ = 0;
  }
}

TextIndex TextFrameImpl::TextStart() {
  const StoryComposition* c = ComposeStory(::GetDataBase(this), story_);
  return c ? c->FrameStart(::GetUID(this)) : 0;
}

int32 TextFrameImpl::TextSpan() {
  const StoryComposition* c = ComposeStory(::GetDataBase(this), story_);
  return c ? c->FrameSpan(::GetUID(this)) : 0;
}

UID FrameListImpl::GetFrameContaining(TextIndex at) {
  // A footnote's text sits in the frame of its reference.
  IDataBase* db = ::GetDataBase(this);
  UID story = ::GetUID(this);
  if (!PlacedPosition(db, &story, &at)) return kInvalidUID;
  const StoryComposition* c = ComposeStoryThrough(db, story, at);
  return c ? c->FrameAt(at) : kInvalidUID;
}

TextIndex FrameListImpl::GetOversetStart() {
  const StoryComposition* c = ComposeStory(::GetDataBase(this), ::GetUID(this));
  return c ? c->OversetStart() : 0;
}

void FrameListImpl::Append(UID frame) {
  PreDirty();
  frames_.Append(frame);
  FramesChanged();
}

void FrameListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  if (s->IsReading()) FramesChanged();
  frames_.ReadWriteXferReference(s);
}

Section SectionListImpl::GetNthSection(int32 n) const {
  if (n < 0 || n >= GetSectionCount()) return Section();
  return sections_[static_cast<size_t>(n)];
}

Section SectionListImpl::GetSectionOfPage(int32 pageIndex) const {
  Section result;
  for (const Section& s : sections_)
    if (s.startPage <= pageIndex) result = s;
  return result;
}

void SectionListImpl::AddSection(const Section& section) {
  PreDirty();
  auto at = std::find_if(sections_.begin(), sections_.end(),
                         [&](const Section& s) { return s.startPage >= section.startPage; });
  if (at != sections_.end() && at->startPage == section.startPage) *at = section;
  else sections_.insert(at, section);
}

void SectionListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  int32 n = GetSectionCount();
  s->XferInt32(n);
  if (s->IsReading()) {
    if (n < 0 || (s->Available() >= 0 && n > s->Available() / 16)) {
      s->SetBad();
      sections_.clear();
      return;
    }
    sections_.assign(static_cast<size_t>(n), Section());
  }
  for (Section& sec : sections_) {
    s->XferInt32(sec.startPage);
    s->XferInt32(sec.startNumber);
    s->XferInt32(sec.style);
    sec.prefix.ReadWrite(s);
  }
}
