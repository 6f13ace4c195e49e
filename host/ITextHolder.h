#pragma once
// Objects that hold a range of a story (a hyperlink's text source, for
// instance), and the document's list of them. The list is what the text
// holder utility searches; a kind of holder registers its objects there.
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "TextRanges.h"
#include "UIDRef.h"

class ICommand;

class ITextHolder : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTHOLDER;
  // The story (in the holder's database) and the range [start, start + length).
  virtual UID GetStoryUID() const = 0;
  virtual TextIndex GetStart() const = 0;
  virtual int32 GetLength() const = 0;
  int64 GetEnd() const { return TextRangeEnd(GetStart(), GetLength()); }
  // The story tells its holders of each edit, so that a range keeps its
  // text: an insertion strictly inside widens it, one at or before its
  // start moves it; a deletion takes out what it overlaps.
  virtual void TextInserted(TextIndex at, int32 count) = 0;
  virtual void TextDeleted(TextIndex at, int32 count) = 0;
  // A holder that goes with its text answers the command that deletes it
  // when a deletion is about to take its whole (non-empty) range; the
  // deletion runs it first, as it does for owned items. Null: it stays.
  virtual ICommand* QueryDeleteWithTextCommand() { return nullptr; }
  // The text of the whole (non-empty) range was moved and now starts at
  // `start` of `story`, a story of the same document; the move then deletes
  // the old text, telling holders as any deletion does. A holder that does
  // not follow is shortened by that deletion.
  virtual void TextMoved(UID /*story*/, TextIndex /*start*/) {}
};

// On the document (UID 1), persistent: holders in the order they were added.
class ITextHolderList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTHOLDERLIST;
  virtual int32 GetHolderCount() const = 0;
  virtual UID GetNthHolder(int32 n) const = 0;  // kInvalidUID out of range
  // Adding a holder twice, or removing one that is absent, does nothing.
  virtual void AddHolder(UID holder) = 0;
  virtual void RemoveHolder(UID holder) = 0;
};
