#pragma once
// Footnotes: a reference character U+0004 in the main text anchors a
// footnote object, whose own story begins with U+0004 and the document's
// separator. Numbers count the references in document order.
#include "IPMUnknown.h"
#include "LayoutIDs.h"
#include "PMString.h"
#include "UIDRef.h"

// The document's footnote settings (on the document's root object).
class IFootnoteSettings : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IFOOTNOTESETTINGS;
  virtual int32 GetNumberingStyle() const = 0;  // a PageNumberStyle
  virtual int32 GetStartNumber() const = 0;
  virtual PMString GetReferencePrefix() const = 0;
  virtual PMString GetReferenceSuffix() const = 0;
  virtual PMString GetFootnotePrefix() const = 0;
  virtual PMString GetFootnoteSuffix() const = 0;
  // Text between the number and the footnote's text, in the footnote.
  virtual PMString GetSeparator() const = 0;
  virtual void Set(int32 style, int32 start, const PMString& refPrefix, const PMString& refSuffix,
                   const PMString& notePrefix, const PMString& noteSuffix, const PMString& separator) = 0;
};

class IFootnote : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IFOOTNOTE;
  // The footnote's own story.
  virtual UID GetFootnoteStoryUID() const = 0;
  // The main-text story and index of the reference character.
  virtual UIDRef GetReferenceStoryRef() const = 0;
  virtual TextIndex GetReferenceIndex() const = 0;
  // The number as the footnote shows it (inFootnote) or as the reference in
  // the main text shows it, with the settings' prefix and suffix.
  virtual PMString GetNumberText(bool16 inFootnote) const = 0;
  // The number, counted in document order from the settings' start.
  virtual int32 GetNumber() const = 0;
};

// Footnote questions (on the utilities object).
class IFootnoteUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IFOOTNOTEUTILS;
  // The footnote whose story holds the position; kInvalidUID when the
  // position is not in a footnote. The index is clipped to the story.
  virtual UID GetFootnoteAt(const UIDRef& story, TextIndex at) const = 0;
};
