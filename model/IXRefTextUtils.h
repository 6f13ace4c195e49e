#pragma once
// Text-model work shared across the plug-in (on the host's utilities
// object). Every operation answers "", kInvalidUID or false, or does
// nothing, when an object it needs is missing.
#include "host/IDataBase.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UIDRef.h"
#include "model/XRefModelID.h"

class ITextModel;
class IXRefSourceMarker;

class IXRefTextUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFTEXTUTILS;

  // A readable excerpt of [start, start + length): the paragraph's numbering
  // text, then the range's visible text with white space collapsed to single
  // blanks, ending before the first white space once maxLength is reached.
  virtual PMString GetCleanText(ITextModel* story, TextIndex start, int32 length, int32 maxLength) = 0;
  // The numbering of the numbered paragraph holding the index, as shown or as
  // a decimal value, without white space; "" for other paragraphs.
  virtual PMString GetNumberingText(ITextModel* story, TextIndex at, bool16 asNumber) = 0;
  // The page showing the index.
  virtual UID GetPageUID(IDataBase* db, UID story, TextIndex at) = 0;
  // Whether the story has overset text.
  virtual bool16 IsStoryFlagged(IDataBase* db, UID story) = 0;
  virtual bool16 IsMarkerStoryFlagged(IXRefSourceMarker* marker) = 0;
  // Selects [start, end) of the story in the active context and brings its
  // document to the front.
  virtual void SelectTextRange(const UIDRef& story, TextIndex start, TextIndex end) = 0;
  // Selects the marker's anchor with the invisible characters around it and
  // at most one visible character on each side, within its paragraph.
  virtual void SelectSourceMarker(const UIDRef& marker) = 0;
};
