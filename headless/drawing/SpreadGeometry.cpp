#include "headless/drawing/SpreadGeometry.h"
#include "host/ILayout.h"
#include "host/IStoryList.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include <algorithm>

namespace {
UID ParentOf(IDataBase* db, UID item) {
  InterfacePtr<IHierarchy> h(db, item, IID_IHIERARCHY);
  return h ? h->GetParentUID() : kInvalidUID;
}

int32 PageIndexInSpread(IDataBase* db, UID spread, UID page) {
  InterfacePtr<ISpread> s(db, spread, IID_ISPREAD);
  if (!s) return -1;
  for (int32 i = 0; i < s->GetNumPages(); ++i)
    if (s->GetNthPageUID(i) == page) return i;
  return -1;
}

Box Union(const Box& a, const Box& b) {
  Box u;
  u.x = std::min(a.x, b.x);
  u.y = std::min(a.y, b.y);
  u.width = std::max(a.Right(), b.Right()) - u.x;
  u.height = std::max(a.Bottom(), b.Bottom()) - u.y;
  return u;
}
}  // namespace

Box PageBox(IDataBase* db, UID page) {
  const int32 n = PageIndexInSpread(db, ParentOf(db, page), page);
  if (n < 0) return Box();
  return Box{n * kPageWidth, 0, kPageWidth, kPageHeight};
}

UID SpreadOf(IDataBase* db, UID item) {
  for (int depth = 0; depth < 3 && item != kInvalidUID; ++depth) {
    if (db->GetClass(item) == kSpreadBoss) return item;
    item = ParentOf(db, item);
  }
  return kInvalidUID;
}

Box FrameRect(IDataBase* db, UID frame) {
  InterfacePtr<ITextFrame> f(db, frame, IID_ITEXTFRAME);
  if (!f) return Box();
  const UID parent = ParentOf(db, frame);
  const Box page = db->GetClass(parent) == kPageBoss ? PageBox(db, parent) : Box();
  return Box{page.x + f->GetX(), page.y + f->GetY(), f->GetColumns() * kCharAdvance, f->GetLines() * kLineHeight};
}

SpreadFrames::SpreadFrames(IDataBase* db) {
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i) {
    InterfacePtr<IFrameList> list(db, stories->GetNthStoryUID(i), IID_IFRAMELIST);
    for (int32 f = 0; list && f < list->GetFrameCount(); ++f) {
      const UID frame = list->GetNthFrameUID(f);
      const UID spread = SpreadOf(db, frame);
      if (spread != kInvalidUID) frames_[spread].push_back(frame);
    }
  }
}

const std::vector<UID>& SpreadFrames::Of(UID spread) const {
  static const std::vector<UID> none;
  auto found = frames_.find(spread);
  return found == frames_.end() ? none : found->second;
}

Box SpreadBox(IDataBase* db, UID spread, const SpreadFrames& frames) {
  InterfacePtr<ISpread> s(db, spread, IID_ISPREAD);
  const int32 pages = s ? std::max(s->GetNumPages(), 1) : 1;
  Box box{0, 0, pages * kPageWidth, kPageHeight};
  for (UID frame : frames.Of(spread)) box = Union(box, FrameRect(db, frame));
  return Box{box.x - kPasteboardMargin, box.y - kPasteboardMargin, box.width + 2 * kPasteboardMargin,
             box.height + 2 * kPasteboardMargin};
}
