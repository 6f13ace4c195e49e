#pragma once
// The paragraphs of a story: each ends just after a paragraph return, so the
// paragraphs cover the story without gaps.
#include "IPMUnknown.h"
#include "TextIDs.h"

class IParagraphStrand : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IPARAGRAPHSTRAND;

  // The start of the paragraph holding an index, and its length with its
  // return; -1 (length 0) outside the story.
  virtual TextIndex GetParagraphStart(TextIndex at, int32* length = nullptr) const = 0;
  virtual int32 GetParagraphCount() const = 0;
  // The number of the paragraph holding an index, from 0; -1 outside.
  virtual int32 GetParagraphIndex(TextIndex at) const = 0;
  // The start (and length) of the n-th paragraph; -1 (length 0) when none.
  virtual TextIndex GetNthParagraphStart(int32 n, int32* length = nullptr) const = 0;
};
