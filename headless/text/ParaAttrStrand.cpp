#include "headless/text/ParaAttrStrand.h"

ParaAttrStrand::Span ParaAttrStrand::Read(TextIndex at, int32 count) const {
  Span span;
  static_cast<RunSpan<ParaAttrs>&>(span) = ReadRuns<ParaAttrs>(runs_, at, count, [](const ParaAttrs& a) { return a; });
  return span;
}

void ParaAttrStrand::Put(TextIndex at, int32 replaced, const Span& span) {
  WriteRuns(runs_, at, replaced, span, [](const ParaAttrs& a) { return a; });
}

void ParaAttrStrand::Reset(UID style) {
  PreDirty();
  runs_.Clear();
  runs_.Append(1, ParaAttrs{style, -1});
}

void ParaAttrStrand::Inserted(TextIndex at, int32 count) {
  if (at < 0 || at >= runs_.Length() || count <= 0) return;
  Span before;
  const bool record = Begin(at, 0, &before);
  runs_.InsertSpace(at, count, runs_.ValueAt(at));
  if (record) End(at, count, std::move(before));
}

// The change spans the joined paragraph with the deleted range in it.
void ParaAttrStrand::Deleted(TextIndex at, int32 count, TextIndex joinedStart, int32 joinedLength) {
  Span before;
  const bool record = Begin(joinedStart, joinedLength + count, &before);
  // A deletion from a paragraph's start leaves no part of that paragraph:
  // the joined one begins with the text after the range, and keeps its own.
  ParaAttrs first = runs_.ValueAt(joinedStart == at ? at + count : joinedStart);
  runs_.DeleteRange(at, count);
  runs_.FillRange(joinedStart, joinedLength, first);
  if (record) End(joinedStart, joinedLength, std::move(before));
}

void ParaAttrStrand::Fill(TextIndex at, int32 count, const ParaAttrs& attrs) {
  Span before;
  const bool record = Begin(at, count, &before);
  runs_.FillRange(at, count, attrs);
  if (record) End(at, count, std::move(before));
}

// The run count, then each run: length, style, numbering.
void ParaAttrStrand::ReadWrite(IPMStream* s, ImplementationID) {
  int32 n = runs_.RunCount();
  s->XferInt32(n);
  if (s->IsWriting()) {
    runs_.ForEach(0, runs_.Length(), [&](int32, int32 length, const ParaAttrs& attrs) {
      UID style = attrs.style;
      int32 numbering = attrs.numbering;
      s->XferInt32(length);
      s->XferReference(style);
      s->XferInt32(numbering);
      return true;
    });
    return;
  }
  int64 avail = s->Available();
  if (n < 1 || (avail >= 0 && static_cast<int64>(n) * 12 > avail)) {
    s->SetBad();
    return;
  }
  runs_.Clear();
  for (int32 i = 0; i < n; ++i) {
    int32 length = 0;
    ParaAttrs attrs;
    s->XferInt32(length);
    s->XferReference(attrs.style);
    s->XferInt32(attrs.numbering);
    if (length < 1 || attrs.numbering < -1 || attrs.numbering > kNumberedList) {
      s->SetBad();
      runs_.Clear();
      return;
    }
    runs_.Append(length, attrs);
  }
}
