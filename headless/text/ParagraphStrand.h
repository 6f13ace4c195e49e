#pragma once
// The paragraphs of a story, as lengths. Invariants (with the story's
// editor): every paragraph ends with the story's only paragraph return in
// it, so lengths are at least 1 and add up to the story's length.
#include "headless/objects/UndoEdit.h"
#include "headless/text/Partitioning.h"
#include "host/IParagraphStrand.h"
#include "host/IPMStream.h"
#include <string>
#include <vector>

class ParagraphStrand : public EditRecordingImpl<IParagraphStrand> {
public:
  using EditRecordingImpl::EditRecordingImpl;
  TextIndex GetParagraphStart(TextIndex at, int32* length) const override;
  int32 GetParagraphCount() const override { return paras_.Count(); }
  int32 GetParagraphIndex(TextIndex at) const override { return paras_.Find(at); }
  TextIndex GetNthParagraphStart(int32 n, int32* length) const override;

  int32 Length() const { return paras_.Total(); }
  // The story starts as one paragraph return.
  void Reset();
  // Text was inserted at `at` (inside the story, before its final return).
  void Inserted(TextIndex at, const std::u16string& units);
  // [at, at + count) was deleted; answers the paragraph now holding `at`.
  int32 Deleted(TextIndex at, int32 count);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  class Edit;
  // `count` units went in at `at`, with returns at the offsets `returns`
  // (ascending) from `at`.
  void Split(TextIndex at, int32 count, const std::vector<int32>& returns);
  int32 Join(TextIndex at, int32 count);
  // The paragraphs holding a range's first unit and the unit after it.
  struct Ends {
    int32 first = -1, firstStart = 0;
    int32 last = -1, lastStart = 0, lastEnd = 0;
  };
  Ends EndsOf(TextIndex at, int32 count) const;
  int32 Join(const Ends& ends, int32 count);

  struct NoValue {};
  Partitioning<NoValue> paras_;
};
