#pragma once
// The persistent parts of hyperlinks: the anchor that places a destination
// at a character, the destination, the text source (its range and its
// hyperlink), the hyperlink, and the document's list. The setters are the
// host's own (the utility and the commands), not the plug-in's.
#include "host/COwnedItem.h"
#include "host/CPMUnknown.h"
#include "host/IHyperlinkTextMarker.h"
#include "host/IHyperlinks.h"
#include "host/IPMStream.h"
#include "host/ITextHolder.h"
#include "host/UIDList.h"

constexpr ImplementationID kHyperlinkAnchorOwnedItemImpl{0x13550};
constexpr ImplementationID kHyperlinkTextMarkerImpl{0x13551};
constexpr ImplementationID kHyperlinkDestinationImpl{0x13552};
constexpr ImplementationID kHyperlinkSourceRangeImpl{0x13553};
constexpr ImplementationID kHyperlinkTextSourceImpl{0x13554};
constexpr ImplementationID kHyperlinkImpl{0x13555};
constexpr ImplementationID kHyperlinkListImpl{0x13556};
constexpr ImplementationID kHyperlinkUtilsImpl{0x13557};
constexpr ImplementationID kDeleteHyperlinkCmdImpl{0x13558};
constexpr ImplementationID kDeleteHyperlinkTextSourceCmdImpl{0x13559};
constexpr ImplementationID kDeleteHyperlinkDestinationCmdImpl{0x1355A};

// The anchor's owned-item side: deleting its character deletes its
// destination, with the hyperlinks to it, so that nothing names a place
// that is gone.
class HyperlinkAnchorOwnedItem : public COwnedItem {
public:
  using COwnedItem::COwnedItem;
  ICommand* QueryDeleteCommand() override;
};

class HyperlinkTextMarkerImpl : public CPMUnknown<IHyperlinkTextMarker> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetDestinationUID() const override { return destination_; }
  void SetDestination(UID destination);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID destination_ = kInvalidUID;
};

// Owns its anchor, so that deleting the destination deletes the anchor.
class HyperlinkDestinationImpl : public CPMUnknown<IHyperlinkDestination> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetName() const override { return name_; }
  UID GetStoryUID() const override { return story_; }
  TextIndex GetIndex() const override;
  UID GetAnchorUID() const override { return anchor_; }
  void Set(const PMString& name, UID story, UID anchor);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  PMString name_;
  UID story_ = kInvalidUID;
  UID anchor_ = kInvalidUID;
};

// Invariant: 0 <= start_ and 0 <= length_.
class HyperlinkSourceRangeImpl : public CPMUnknown<ITextHolder> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetStoryUID() const override { return story_; }
  TextIndex GetStart() const override { return start_; }
  int32 GetLength() const override { return length_; }
  void TextInserted(TextIndex at, int32 count) override;
  void TextDeleted(TextIndex at, int32 count) override;
  void TextMoved(UID story, TextIndex start) override { Set(story, start, length_); }
  void Set(UID story, TextIndex start, int32 length);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID story_ = kInvalidUID;
  TextIndex start_ = 0;
  int32 length_ = 0;
};

class HyperlinkTextSourceImpl : public CPMUnknown<IHyperlinkTextSource> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetHyperlinkUID() const override { return hyperlink_; }
  void SetHyperlink(UID hyperlink);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID hyperlink_ = kInvalidUID;
};

class HyperlinkImpl : public CPMUnknown<IHyperlink> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetName() const override { return name_; }
  bool16 IsVisible() const override { return visible_; }
  UID GetSourceUID() const override { return source_; }
  UID GetDestinationUID() const override { return destination_; }
  void Set(const PMString& name, bool16 visible, UID source, UID destination);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  PMString name_;
  bool16 visible_ = false;
  UID source_ = kInvalidUID;
  UID destination_ = kInvalidUID;
};

// Invariant: no UID appears twice in either list.
class HyperlinkListImpl : public CPMUnknown<IHyperlinkList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetHyperlinkCount() const override { return hyperlinks_.Length(); }
  UID GetNthHyperlink(int32 n) const override { return hyperlinks_.At(n); }
  int32 GetDestinationCount() const override { return destinations_.Length(); }
  UID GetNthDestination(int32 n) const override { return destinations_.At(n); }
  UID FindDestination(const PMString& name) const override;
  void AddHyperlink(UID uid) { Add(&hyperlinks_, uid); }
  void RemoveHyperlink(UID uid) { Remove(&hyperlinks_, uid); }
  void AddDestination(UID uid) { Add(&destinations_, uid); }
  void RemoveDestination(UID uid) { Remove(&destinations_, uid); }
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  void Add(UIDList* list, UID uid);
  void Remove(UIDList* list, UID uid);

  UIDList hyperlinks_;
  UIDList destinations_;
};
