#pragma once
// Numbered paragraphs and the chapter number.
#include "IPMUnknown.h"
#include "LayoutIDs.h"
#include "PMString.h"

// How a numbered paragraph style numbers (on the style). Paragraphs of one
// list count together in document order; a paragraph at a level counts one
// up at its level and starts every deeper level again.
class INumberingStyle : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_INUMBERINGSTYLE;
  virtual PMString GetListName() const = 0;
  virtual int32 GetLevel() const = 0;  // 1 to 9
  // The number's text: "^1" to "^9" stand for the counts of those levels,
  // in arabic; everything else is literal ("^1.^2." gives "3.1.").
  virtual PMString GetFormat() const = 0;
  virtual void Set(const PMString& list, int32 level, const PMString& format) = 0;
};

// The document's chapter number (on the document's root object).
class IChapterNumber : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ICHAPTERNUMBER;
  virtual int32 GetNumber() const = 0;
  virtual int32 GetStyle() const = 0;  // a PageNumberStyle
  virtual void Set(int32 number, int32 style) = 0;
};

// The chapter-number service (on the utilities object).
class IChapterNumberService : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ICHAPTERNUMBERSERVICE;
  // The chapter number of the document the database holds, as text; empty
  // when the database is not a document.
  virtual PMString GetChapterNumberString(IDataBase* db) const = 0;
};
