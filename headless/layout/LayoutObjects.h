#pragma once
// The persistent layout objects: spreads and pages, the frames a story
// threads through, frames, hierarchy and sections. The builder fills them
// through these classes; the plug-in reads them through host/ILayout.h.
#include "host/CPMUnknown.h"
#include "host/ILayout.h"
#include "host/UIDList.h"
#include <vector>

class SpreadListImpl : public CPMUnknown<ISpreadList> {
public:
  using CPMUnknown::CPMUnknown;
  ~SpreadListImpl() override;
  int32 GetSpreadCount() const override { return spreads_.Length(); }
  UID GetNthSpreadUID(int32 n) const override { return spreads_.At(n); }
  void Append(UID spread);
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UIDList spreads_;
};

class SpreadImpl : public CPMUnknown<ISpread> {
public:
  using CPMUnknown::CPMUnknown;
  ~SpreadImpl() override;
  int32 GetNumPages() const override { return pages_.Length(); }
  UID GetNthPageUID(int32 n) const override { return pages_.At(n); }
  void Append(UID page);
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UIDList pages_;
};

class HierarchyImpl : public CPMUnknown<IHierarchy> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetParentUID() const override { return parent_; }
  void SetParentUID(UID parent);
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UID parent_ = kInvalidUID;
};

class TextFrameImpl : public CPMUnknown<ITextFrame> {
public:
  using CPMUnknown::CPMUnknown;
  // A frame going away (deleted, undone) is a change of the frames.
  ~TextFrameImpl();
  UID GetStoryUID() const override { return story_; }
  int32 GetColumns() const override { return columns_; }
  int32 GetLines() const override { return lines_; }
  double GetX() const override { return x_; }
  double GetY() const override { return y_; }
  TextIndex TextStart() override;
  int32 TextSpan() override;
  void Set(UID story, int32 columns, int32 lines, double x, double y);
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UID story_ = kInvalidUID;
  int32 columns_ = 0, lines_ = 0;
  double x_ = 0, y_ = 0;
};

class FrameListImpl : public CPMUnknown<IFrameList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetFrameCount() const override { return frames_.Length(); }
  UID GetNthFrameUID(int32 n) const override { return frames_.At(n); }
  UID GetFrameContaining(TextIndex at) override;
  TextIndex GetOversetStart() override;
  void Append(UID frame);
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UIDList frames_;
};

class SectionListImpl : public CPMUnknown<ISectionList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetSectionCount() const override { return static_cast<int32>(sections_.size()); }
  Section GetNthSection(int32 n) const override;
  Section GetSectionOfPage(int32 pageIndex) const override;
  void AddSection(const Section& s) override;
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  std::vector<Section> sections_;  // by start page
};
