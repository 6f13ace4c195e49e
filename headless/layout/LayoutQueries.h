#pragma once
// Implementations of the layout's queries (see LayoutQueries.cpp).
#include "host/CPMUnknown.h"
#include "host/ILayout.h"
#include "host/ILineInfo.h"
#include <unordered_map>
#include <vector>

class StoryComposition;

// The page holding the object at `at` (itself, its parent, ...); a spread for
// objects on the pasteboard; kInvalidUID when there is none.
UID FindOwnerPage(IDataBase* db, UID at);

// A spread or the spread list changed (or was read or destroyed): page
// lists read their pages again. Spread and spread-list implementations call it.
void PagesChanged();

// The pages in document order, computed from the spreads when first asked
// after they changed and kept with an index by page.
class PageListImpl : public CPMUnknown<IPageList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetPageCount() const override;
  UID GetNthPageUID(int32 n) const override;
  int32 GetPageIndex(UID page) const override;
  bool16 GetPageString(UID page, PMString* out, bool16 useSectionName, bool16 forceArabic, int32 numberType,
                       bool16 display) const override;

private:
  const std::vector<UID>& Pages() const;
  mutable std::vector<UID> pages_;
  mutable std::unordered_map<UID, int32> index_;
  mutable uint64_t revision_ = 0;  // of the pages read; 0: none read
};

class LayoutUtilsImpl : public CPMUnknown<ILayoutUtils> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetOwnerPageUID(const IHierarchy* hierarchy) const override;
};

class StoryFrameUtilsImpl : public CPMUnknown<IStoryFrameUtils> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 IsOverset(IFrameList* frames) const override;
};

class LineInfoImpl : public CPMUnknown<ILineInfo> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 GetLineInfo(TextIndex at, LineInfo* info) override;
};

class WaxLineImpl : public CPMUnknown<IWaxLine> {
public:
  using CPMUnknown::CPMUnknown;
  TextIndex GetStart() const override { return start_; }
  int32 GetLength() const override { return length_; }
  UID GetFrameUID() const override { return frame_; }
  bool16 HasAdornment(ClassID adornment) const override;
  void AddAdornment(ClassID adornment, double drawPriority) override;
  int32 GetAdornmentCount() const override;
  void Set(StoryComposition* c, int32 line, UID frame, TextIndex start, int32 length) {
    composition_ = c;
    line_ = line;
    frame_ = frame;
    start_ = start;
    length_ = length;
  }

private:
  StoryComposition* composition_ = nullptr;
  int32 line_ = -1;
  UID frame_ = kInvalidUID;
  TextIndex start_ = 0;
  int32 length_ = 0;
};
