#pragma once
// Hyperlinks: a text source (a range of a story) linked to a text-anchor
// destination (a named place in a story), with a name and a visibility.
// The document lists its hyperlinks and destinations; text sources are
// holders of story positions (ITextHolder) and sit in its holder list. All
// of them are persistent and change undoably inside commands.
#include "IPMUnknown.h"
#include "PMString.h"
#include "TextIDs.h"
#include "UIDRef.h"

constexpr ClassID kHyperlinkTextDestinationBoss{0x1353D};
constexpr ClassID kHyperlinkTextSourceBoss{0x1353E};
constexpr ClassID kHyperlinkBoss{0x1353F};
// Items: hyperlinks; their sources forget them.
constexpr ClassID kDeleteHyperlinkCmdBoss{0x13540};
// Items: text sources; their hyperlinks go first.
constexpr ClassID kDeleteHyperlinkTextSourceCmdBoss{0x13541};
// Items: destinations, with the anchor that places them; their hyperlinks go first.
constexpr ClassID kDeleteHyperlinkDestinationCmdBoss{0x13542};

constexpr PMIID IID_IHYPERLINKDESTINATION{0x13529};
constexpr PMIID IID_IHYPERLINKTEXTSOURCE{0x1352A};
constexpr PMIID IID_IHYPERLINK{0x1352B};
constexpr PMIID IID_IHYPERLINKLIST{0x1352C};
constexpr PMIID IID_IHYPERLINKUTILS{0x1352D};

// A text-anchor destination. Its place is the character where its anchor
// (an owned item of kHyperlinkTextMarkerBoss) sits.
class IHyperlinkDestination : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHYPERLINKDESTINATION;
  virtual PMString GetName() const = 0;
  virtual UID GetStoryUID() const = 0;
  // The anchor's index; -1 when its character is gone.
  virtual TextIndex GetIndex() const = 0;
  virtual UID GetAnchorUID() const = 0;
};

// A text source (beside its ITextHolder range): the hyperlink built on it.
class IHyperlinkTextSource : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHYPERLINKTEXTSOURCE;
  virtual UID GetHyperlinkUID() const = 0;
};

class IHyperlink : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHYPERLINK;
  virtual PMString GetName() const = 0;
  virtual bool16 IsVisible() const = 0;
  virtual UID GetSourceUID() const = 0;
  virtual UID GetDestinationUID() const = 0;
};

// On the document (UID 1): hyperlinks and destinations in the order made.
class IHyperlinkList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHYPERLINKLIST;
  virtual int32 GetHyperlinkCount() const = 0;
  virtual UID GetNthHyperlink(int32 n) const = 0;  // kInvalidUID out of range
  virtual int32 GetDestinationCount() const = 0;
  virtual UID GetNthDestination(int32 n) const = 0;
  // The destination of that name, ignoring case; kInvalidUID when none.
  virtual UID FindDestination(const PMString& name) const = 0;
};

// The hyperlink utility (UtilsBoss::QueryUtils). Each call answers the new
// object, or a UIDRef with kInvalidUID and the global error code set.
class IHyperlinkUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHYPERLINKUTILS;
  // A destination anchored at the character at `at` of the story. A name
  // already used, or an index that already anchors one, is refused.
  virtual UIDRef CreateTextAnchorDestination(const UIDRef& story, TextIndex at, const PMString& name) = 0;
  // A text source over [start, start + length) of the story. A range that
  // overlaps another source's is refused.
  virtual UIDRef CreateTextSource(const UIDRef& story, TextIndex start, int32 length) = 0;
  // A hyperlink from a source without one to a destination of its database.
  virtual UIDRef CreateHyperlink(const UIDRef& source, const UIDRef& destination, const PMString& name,
                                 bool16 visible) = 0;
};
