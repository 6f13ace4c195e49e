#pragma once
// The document's list of objects that hold story ranges, and the utility
// that finds the holder of a position by searching it.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/ITextHolder.h"
#include "host/ITextHolderUtils.h"
#include "host/UIDList.h"

// Invariant: no UID appears twice.
class TextHolderListImpl : public CPMUnknown<ITextHolderList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetHolderCount() const override { return holders_.Length(); }
  UID GetNthHolder(int32 n) const override { return holders_.At(n); }
  void AddHolder(UID holder) override;
  void RemoveHolder(UID holder) override;
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UIDList holders_;
};

// Tells the holders of the story's document that hold ranges of the story
// of an edit (count > 0 inserted, < 0 deleted, at `at`).
void ShiftTextHolders(const UIDRef& story, TextIndex at, int32 count);
// Tells the holders whose whole non-empty range lies in [start, start +
// length) of the story that their text now starts `to - start` further on
// in `toStory`.
void MoveTextHolders(const UIDRef& story, TextIndex start, int32 length, UID toStory, TextIndex to);

class TextHolderUtilsImpl : public CPMUnknown<ITextHolderUtils> {
public:
  using CPMUnknown::CPMUnknown;
  UIDRef QueryHolderOfPosition(const UIDRef& story, TextIndex at) const override;
};
