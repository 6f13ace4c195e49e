#pragma once
// Paragraph attributes as runs over the story's positions. Invariant (with
// the story's editor): run boundaries fall on paragraph boundaries, so every
// character of a paragraph reads the same attributes.
#include "headless/text/CharAttrs.h"
#include "headless/text/SpanEdit.h"
#include "host/IParaAttrStrand.h"
#include "host/IPMStream.h"

class ParaAttrStrand : public SpanRecordingImpl<ParaAttrStrand, IParaAttrStrand> {
public:
  using SpanRecordingImpl::SpanRecordingImpl;
  UID GetParagraphStyle(TextIndex at) const override { return runs_.ValueAt(at).style; }
  int32 GetNumberingOverride(TextIndex at) const override { return runs_.ValueAt(at).numbering; }

  int32 Length() const { return runs_.Length(); }
  ParaAttrs ValueAt(TextIndex at) const { return runs_.ValueAt(at); }
  void Reset(UID style);
  // Text inserted at `at` belongs to the paragraph it went into.
  void Inserted(TextIndex at, int32 count);
  // After a deletion that joined paragraphs, the joined paragraph
  // [joinedStart, joinedStart + joinedLength) keeps the attributes of the
  // paragraph its first character came from.
  void Deleted(TextIndex at, int32 count, TextIndex joinedStart, int32 joinedLength);
  void Fill(TextIndex at, int32 count, const ParaAttrs& attrs);
  // Replaces the attributes over a range of whole paragraphs by f(attrs).
  template <class F>
  void Transform(TextIndex at, int32 count, F f) {
    Span before;
    const bool record = Begin(at, count, &before);
    runs_.Transform(at, count, f);
    if (record) End(at, count, std::move(before));
  }
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  struct Span : RunSpan<ParaAttrs> {
    size_t Bytes() const { return runs.capacity() * sizeof(runs[0]); }
    bool operator==(const Span& o) const { return runs == o.runs; }
  };
  template <class, class>
  friend class SpanEdit;
  friend class SpanRecordingImpl;
  Span Read(TextIndex at, int32 count) const;
  void Put(TextIndex at, int32 replaced, const Span& span);

  RunStyles<ParaAttrs> runs_;
};
