#pragma once
// The characters of a story. Invariant (kept by the story's editor): the
// text is never empty and ends with a paragraph return.
#include "headless/text/ChunkedText.h"
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/TextIDs.h"

class ITextStrand : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTSTRAND;
};

class TextStrand : public CPMUnknown<ITextStrand> {
public:
  using CPMUnknown::CPMUnknown;
  const ChunkedText& Text() const { return text_; }
  bool Insert(TextIndex at, const std::u16string& units);
  bool Erase(TextIndex at, int32 count);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  ChunkedText text_;
};
