#pragma once
// Undo of the strands kept as runs (RunStyles): an edit keeps the span it
// replaced and the span it left, each as runs of plain values, so undoing
// or redoing it costs the runs of the span, whatever the story's length.
#include "headless/objects/UndoEdit.h"
#include "headless/text/RunStyles.h"
#include <utility>
#include <vector>

// Values over a span, as (length, value) runs in order.
template <class V>
struct RunSpan {
  std::vector<std::pair<int32, V>> runs;

  int32 Length() const {
    int32 total = 0;
    for (auto& run : runs) total += run.first;
    return total;
  }
  bool operator==(const RunSpan& o) const { return runs == o.runs; }
};

// The runs over [at, at + length), each stored value read through f.
template <class V, class S, class F>
RunSpan<V> ReadRuns(const RunStyles<S>& runs, int32 at, int32 length, F f) {
  RunSpan<V> span;
  runs.ForEach(at, length, [&](int32, int32 n, const S& stored) {
    span.runs.emplace_back(n, f(stored));
    return true;
  });
  return span;
}

// Replaces [at, at + replaced) by the span, each value stored through f.
// RunStyles joins equal neighbours, so the runs come out as they were.
template <class V, class S, class F>
void WriteRuns(RunStyles<S>& runs, int32 at, int32 replaced, const RunSpan<V>& span, F f) {
  runs.DeleteRange(at, replaced);
  for (auto& run : span.runs) {
    runs.InsertSpace(at, run.first, f(run.second));
    at += run.first;
  }
}

// The span at `at` of a strand, before and after a change. The strand's
// Put(at, replaced, state) replaces [at, at + replaced) by a state and
// Read(at, count) reads one; a state answers Length(), Bytes() and ==.
template <class Strand, class State>
class SpanEdit : public UndoEdit {
public:
  SpanEdit(int32 at, State before, State after) : at_(at), before_(std::move(before)), after_(std::move(after)) {}
  void Undo(IPMUnknown* impl) const override { static_cast<Strand*>(impl)->Put(at_, after_.Length(), before_); }
  void Redo(IPMUnknown* impl) const override { static_cast<Strand*>(impl)->Put(at_, before_.Length(), after_); }
  size_t Bytes() const override { return sizeof(*this) + before_.Bytes() + after_.Bytes(); }
  void Extent(int32* at, int32* removed, int32* inserted) const override {
    *at = at_;
    *removed = before_.Length();
    *inserted = after_.Length();
  }
  std::unique_ptr<SpanImage> Image(IPMUnknown* impl, int32 at, int32 count) const override {
    return std::make_unique<ImageOf<State>>(static_cast<Strand*>(impl)->Read(at, count));
  }

private:
  int32 at_;
  State before_, after_;
};

// Base of a strand kept as runs, which defines a Span state type with
// Read(at, count) and Put(at, replaced, span), and befriends this base and
// SpanEdit. Around a change of [at, at + count): Begin answers whether to
// record it and reads the span before; End, given the span's length after
// the change, records it.
template <class Strand, class Interface>
class SpanRecordingImpl : public EditRecordingImpl<Interface> {
public:
  using EditRecordingImpl<Interface>::EditRecordingImpl;

protected:
  template <class Span>
  bool Begin(int32 at, int32 count, Span* before) {
    if (!this->PreDirtyEdit()) return false;
    *before = Self()->Read(at, count);
    return true;
  }
  template <class Span>
  void End(int32 at, int32 count, Span before) {
    this->RecordEdit(std::make_unique<SpanEdit<Strand, Span>>(at, std::move(before), Self()->Read(at, count)));
  }

private:
  const Strand* Self() const { return static_cast<const Strand*>(this); }
};
