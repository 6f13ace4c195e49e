#pragma once
// Footnote settings, footnote objects (owned items at their reference
// character) and the footnote utility.
#include "host/COwnedItem.h"
#include "host/IFootnote.h"

class FootnoteSettingsImpl : public CPMUnknown<IFootnoteSettings> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetNumberingStyle() const override { return style_; }
  int32 GetStartNumber() const override { return start_; }
  PMString GetReferencePrefix() const override { return refPrefix_; }
  PMString GetReferenceSuffix() const override { return refSuffix_; }
  PMString GetFootnotePrefix() const override { return notePrefix_; }
  PMString GetFootnoteSuffix() const override { return noteSuffix_; }
  PMString GetSeparator() const override { return separator_; }
  void Set(int32 style, int32 start, const PMString& refPrefix, const PMString& refSuffix, const PMString& notePrefix,
           const PMString& noteSuffix, const PMString& separator) override;
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  int32 style_ = 0, start_ = 1;
  PMString refPrefix_, refSuffix_, notePrefix_, noteSuffix_;
  PMString separator_{"\t"};
};

class FootnoteImpl : public CPMUnknown<IFootnote> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetFootnoteStoryUID() const override { return story_; }
  UIDRef GetReferenceStoryRef() const override;
  TextIndex GetReferenceIndex() const override;
  PMString GetNumberText(bool16 inFootnote) const override;
  int32 GetNumber() const override;
  void SetFootnoteStory(UID story);
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UID story_ = kInvalidUID;
};

// The footnote as an owned item: deleting its reference deletes it, and
// copying text does not carry it. Its own text goes first, as deleted text
// does, so the items anchored there are deleted through their own commands.
class FootnoteOwnedItem : public COwnedItem {
public:
  using COwnedItem::COwnedItem;
  // Null when the footnote's text cannot be deleted (its error stays set).
  ICommand* QueryDeleteCommand() override;
};

class FootnoteUtilsImpl : public CPMUnknown<IFootnoteUtils> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetFootnoteAt(const UIDRef& story, TextIndex at) const override;
};

// True when the story is a footnote's own story: its text is placed with the
// footnote's reference, whose story and index are then given (a null story
// when the footnote cannot be had).
bool FootnoteReference(IDataBase* db, UID story, UIDRef* referenceStory, TextIndex* referenceIndex);

// Where a story position is placed: footnote text moves to its reference,
// hop by hop. False when a hop's footnote cannot be had or the hops do not
// end (a loop in a damaged document).
bool PlacedPosition(IDataBase* db, UID* story, TextIndex* at);
