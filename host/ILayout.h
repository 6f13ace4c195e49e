#pragma once
// The host's layout as the plug-in reads it: spreads of one or two pages,
// the page list with page strings, text frames that stories thread through,
// the hierarchy from a frame to its page, and the layout utilities.
#include "IPMUnknown.h"
#include "LayoutIDs.h"
#include "PMString.h"
#include "UIDRef.h"

// The document's spreads in order (on the document's root object).
class ISpreadList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISPREADLIST;
  virtual int32 GetSpreadCount() const = 0;
  virtual UID GetNthSpreadUID(int32 n) const = 0;  // kInvalidUID outside
};

// One spread: its pages, left to right.
class ISpread : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISPREAD;
  virtual int32 GetNumPages() const = 0;
  virtual UID GetNthPageUID(int32 n) const = 0;
};

// The document's pages in reading order, and their page strings.
class IPageList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IPAGELIST;
  virtual int32 GetPageCount() const = 0;
  virtual UID GetNthPageUID(int32 n) const = 0;
  // -1 when the UID is not a page of the document.
  virtual int32 GetPageIndex(UID page) const = 0;
  // The page's number as text. useSectionName puts the section's prefix
  // first; forceArabic ignores the section's style; numberType is a
  // PageNumberType. `display` true gives the string as shown; false gives the
  // plain arabic number of the page within its numbering, for sorting, and
  // no prefix. False when the UID is not a page.
  virtual bool16 GetPageString(UID page, PMString* out, bool16 useSectionName, bool16 forceArabic,
                               int32 numberType, bool16 display) const = 0;
};

// The object that holds another in the layout: a frame's page (or spread, on
// the pasteboard), a page's spread.
class IHierarchy : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHIERARCHY;
  virtual UID GetParentUID() const = 0;
};

// A text frame: a rectangle of `lines` lines of `columns` characters at a
// position on its page or on the pasteboard, showing part of one story.
class ITextFrame : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTFRAME;
  virtual UID GetStoryUID() const = 0;
  virtual int32 GetColumns() const = 0;
  virtual int32 GetLines() const = 0;
  virtual double GetX() const = 0;
  virtual double GetY() const = 0;
  // The part of the story the frame shows, after composition.
  virtual TextIndex TextStart() = 0;
  virtual int32 TextSpan() = 0;
};

// The frames a story flows through, in order (on the story).
class IFrameList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IFRAMELIST;
  virtual int32 GetFrameCount() const = 0;
  virtual UID GetNthFrameUID(int32 n) const = 0;
  // The frame showing the index (composing as needed); kInvalidUID when the
  // index is overset or outside the story. A footnote's story answers the
  // frame of its reference.
  virtual UID GetFrameContaining(TextIndex at) = 0;
  // The first index that no frame shows; the story's length when none is overset.
  virtual TextIndex GetOversetStart() = 0;
};

// Layout utilities (on the utilities object).
class ILayoutUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ILAYOUTUTILS;
  // The page that owns the object; for an object on the pasteboard, its spread.
  virtual UID GetOwnerPageUID(const IHierarchy* hierarchy) const = 0;
};

// The yes/no question about a story's frames (on the utilities object): does
// the story have overset text?
class IStoryFrameUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISTORYFRAMEUTILS;
  virtual bool16 IsOverset(IFrameList* frames) const = 0;
};

// The document's sections (on the document's root object). A section starts
// at a page and numbers it and the following pages until the next section.
struct Section {
  int32 startPage = 0;    // index in the page list
  int32 startNumber = 1;  // the number of the section's first page
  int32 style = kArabicNumbers;
  PMString prefix;        // the section's name, shown before numbers on request
};

class ISectionList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISECTIONLIST;
  virtual int32 GetSectionCount() const = 0;
  virtual Section GetNthSection(int32 n) const = 0;
  // The section numbering the page at an index; without sections, one that
  // numbers every page in arabic from 1.
  virtual Section GetSectionOfPage(int32 pageIndex) const = 0;
  // Adds a section; one starting at the same page replaces it.
  virtual void AddSection(const Section& s) = 0;
};
