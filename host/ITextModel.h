#pragma once
// A story: UTF-16 text counted in code units (TextIndex), always ending with
// one paragraph return (U+000D) that counts in its length, and the strands
// that describe the text. Stories change only through their text commands
// (ITextModelCmds).
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "WideString.h"

class ITextModel : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTMODEL;

  // Code units, the final paragraph return included.
  virtual int32 TotalLength() const = 0;
  // Up to `count` units from `start`, clipped to the story; empty outside it.
  virtual WideString CopyText(TextIndex start, int32 count) const = 0;
  // The code unit at an index; 0 outside the story.
  virtual char16_t GetUnit(TextIndex at) const = 0;
  // A strand of the story by its class, answered by the interface (with a
  // reference the caller releases); null when there is none.
  virtual IPMUnknown* QueryStrand(ClassID strand, PMIID iid) const = 0;
};
