#include "headless/text/ParagraphStrand.h"

TextIndex ParagraphStrand::GetParagraphStart(TextIndex at, int32* length) const {
  int32 start = 0;
  int32 n = paras_.Find(at, &start);
  if (length) *length = n < 0 ? 0 : paras_.LengthOf(n);
  return n < 0 ? kInvalidTextIndex : start;
}

TextIndex ParagraphStrand::GetNthParagraphStart(int32 n, int32* length) const {
  if (n < 0 || n >= paras_.Count()) {
    if (length) *length = 0;
    return kInvalidTextIndex;
  }
  if (length) *length = paras_.LengthOf(n);
  return paras_.StartOf(n);
}

void ParagraphStrand::Reset() {
  PreDirty();
  paras_.Clear();
  paras_.PushBack(1, NoValue());
}

// Units inserted at `at` or deleted from there, by where their returns were.
class ParagraphStrand::Edit : public UndoEdit {
public:
  Edit(TextIndex at, int32 count, std::vector<int32> returns, bool inserted)
      : at_(at), count_(count), returns_(std::move(returns)), inserted_(inserted) {}
  void Undo(IPMUnknown* impl) const override { Apply(static_cast<ParagraphStrand*>(impl), !inserted_); }
  void Redo(IPMUnknown* impl) const override { Apply(static_cast<ParagraphStrand*>(impl), inserted_); }
  size_t Bytes() const override { return sizeof(*this) + returns_.capacity() * sizeof(int32); }
  void Extent(int32* at, int32* removed, int32* inserted) const override {
    *at = at_;
    *removed = inserted_ ? 0 : count_;
    *inserted = inserted_ ? count_ : 0;
  }
  // The paragraph lengths from the one holding `at` to the one holding
  // the span's end.
  std::unique_ptr<SpanImage> Image(IPMUnknown* impl, int32 at, int32 count) const override {
    const auto& paras = static_cast<ParagraphStrand*>(impl)->paras_;
    std::vector<int32> lengths;
    paras.Visit(paras.Find(at), [&](int32 start, int32 length, const NoValue&) {
      lengths.push_back(length);
      return start + length <= at + count;
    });
    return std::make_unique<ImageOf<std::vector<int32>>>(std::move(lengths));
  }

private:
  void Apply(ParagraphStrand* strand, bool insert) const {
    if (insert) strand->Split(at_, count_, returns_);
    else strand->Join(at_, count_);
  }

  TextIndex at_;
  int32 count_;
  std::vector<int32> returns_;
  bool inserted_;
};

void ParagraphStrand::Inserted(TextIndex at, const std::u16string& units) {
  if (paras_.Find(at) < 0 || units.empty()) return;
  const bool record = PreDirtyEdit();
  std::vector<int32> returns;
  for (size_t i = 0; i < units.size(); ++i)
    if (units[i] == u'\r') returns.push_back(static_cast<int32>(i));
  const int32 count = static_cast<int32>(units.size());
  Split(at, count, returns);
  if (record) RecordEdit(std::make_unique<Edit>(at, count, std::move(returns), true));
}

void ParagraphStrand::Split(TextIndex at, int32 count, const std::vector<int32>& returns) {
  int32 start = 0;
  int32 n = paras_.Find(at, &start);
  const int32 end = start + paras_.LengthOf(n) + count;
  // Each return in the new text ends a paragraph there; what follows the
  // last one runs to the end of the paragraph the text went into.
  int32 paraStart = start;
  for (int32 offset : returns) {
    int32 paraEnd = at + offset + 1;
    if (paraStart == start) paras_.SetLength(n, paraEnd - start);
    else paras_.Insert(++n, paraEnd - paraStart, NoValue());
    paraStart = paraEnd;
  }
  if (paraStart == start) paras_.SetLength(n, end - start);
  else paras_.Insert(n + 1, end - paraStart, NoValue());
}

int32 ParagraphStrand::Deleted(TextIndex at, int32 count) {
  Ends ends = EndsOf(at, count);
  if (ends.first < 0 || ends.last < 0 || count <= 0) return ends.first;
  const bool record = PreDirtyEdit();
  // The paragraphs the range ends, by the offset of their return; none when
  // it lies inside one.
  std::vector<int32> returns;
  if (record && ends.last != ends.first)
    paras_.Visit(ends.first, [&](int32 start, int32 length, const NoValue&) {
      const int32 end = start + length;
      if (end > at + count) return false;
      returns.push_back(end - 1 - at);
      return true;
    });
  Join(ends, count);
  if (record) RecordEdit(std::make_unique<Edit>(at, count, std::move(returns), false));
  return ends.first;
}

ParagraphStrand::Ends ParagraphStrand::EndsOf(TextIndex at, int32 count) const {
  Ends ends;
  ends.first = paras_.Find(at, &ends.firstStart);
  // Most deletions end inside the paragraph they start in.
  const int32 firstEnd = ends.first < 0 ? 0 : ends.firstStart + paras_.LengthOf(ends.first);
  if (ends.first >= 0 && at + count < firstEnd) {
    ends.last = ends.first;
    ends.lastStart = ends.firstStart;
    ends.lastEnd = firstEnd;
    return ends;
  }
  ends.last = paras_.Find(at + count, &ends.lastStart);
  ends.lastEnd = ends.last < 0 ? 0 : ends.lastStart + paras_.LengthOf(ends.last);
  return ends;
}

int32 ParagraphStrand::Join(TextIndex at, int32 count) { return Join(EndsOf(at, count), count); }

int32 ParagraphStrand::Join(const Ends& ends, int32 count) {
  if (ends.last > ends.first) paras_.Erase(ends.first + 1, ends.last - ends.first);
  paras_.SetLength(ends.first, ends.lastEnd - count - ends.firstStart);
  return ends.first;
}

// The count, then each paragraph's length.
void ParagraphStrand::ReadWrite(IPMStream* s, ImplementationID) {
  int32 n = paras_.Count();
  s->XferInt32(n);
  if (s->IsWriting()) {
    paras_.Visit(0, [&](int32, int32 length, const NoValue&) {
      s->XferInt32(length);
      return true;
    });
    return;
  }
  int64 avail = s->Available();
  if (n < 1 || (avail >= 0 && static_cast<int64>(n) * 4 > avail)) {
    s->SetBad();
    return;
  }
  paras_.Clear();
  for (int32 i = 0; i < n; ++i) {
    int32 length = 0;
    s->XferInt32(length);
    if (length < 1) {
      s->SetBad();
      paras_.Clear();
      return;
    }
    paras_.PushBack(length, NoValue());
  }
}
