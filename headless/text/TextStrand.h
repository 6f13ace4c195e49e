#pragma once
// The characters of a story. Invariant (kept by the story's editor): the
// text is never empty and ends with a paragraph return.
#include "headless/objects/UndoEdit.h"
#include "headless/text/ChunkedText.h"
#include "host/IPMStream.h"
#include "host/TextIDs.h"

class ITextStrand : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTSTRAND;
};

class TextStrand : public EditRecordingImpl<ITextStrand> {
public:
  using EditRecordingImpl::EditRecordingImpl;
  const ChunkedText& Text() const { return text_; }
  // `story` is the story the strand holds the text of: its layout hears of
  // the edit when it is undone or redone.
  bool Insert(TextIndex at, const std::u16string& units, UID story);
  bool Erase(TextIndex at, int32 count, UID story);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  class Edit;
  ChunkedText text_;
};
