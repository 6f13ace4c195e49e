#pragma once
// Character attributes as runs of attribute-set numbers, plus the insertion
// point's attributes (set by applying to an empty range).
//
// Invariants: every run's number names a set of `sets_`; the insertion
// point, when set (pendingAt_ >= 0), lies inside the story and holds a set
// number too. It moves along with text inserted at it and is dropped by any
// other change.
#include "headless/text/CharAttrSets.h"
#include "headless/text/SpanEdit.h"
#include "host/ICharAttrStrand.h"
#include "host/IPMStream.h"

class CharAttrStrand : public SpanRecordingImpl<CharAttrStrand, ICharAttrStrand> {
public:
  using SpanRecordingImpl::SpanRecordingImpl;
  UID GetCharStyle(TextIndex at) const override;
  bool16 GetRun(TextIndex at, TextIndex* start, int32* length) const override;
  AttributeBossList GetOverrides(TextIndex at) const override;
  bool16 GetOverride(TextIndex at, ClassID cls, TextAttribute* out) const override;

  int32 Length() const { return runs_.Length(); }
  // The set at an index; an empty set outside.
  const CharAttrs& AttrsAt(TextIndex at) const;
  // What text inserted at `at` carries: the insertion point's set when it is
  // at `at`; else the preceding character's, unless `at` starts a paragraph;
  // else the character's at `at`.
  const CharAttrs& InsertionAttrs(TextIndex at, bool atParagraphStart) const;
  // Calls f(start, length, attrs) for each run over a range.
  template <class F>
  void ForEachRun(TextIndex at, int32 count, F f) const {
    runs_.ForEach(at, count, [&](int32 start, int32 length, int32 set) {
      f(start, length, sets_.Get(set));
      return true;
    });
  }

  void Reset(UID style);
  void Inserted(TextIndex at, int32 count, bool atParagraphStart);
  void Deleted(TextIndex at, int32 count);
  void Fill(TextIndex at, int32 count, const CharAttrs& attrs);
  // Replaces each set over a non-empty range by f(set).
  template <class F>
  void Transform(TextIndex at, int32 count, F f) {
    Span before;
    const bool record = Begin(at, count, &before);
    pendingAt_ = kInvalidTextIndex;
    runs_.Transform(at, count, [&](int32 set) { return sets_.Intern(f(CharAttrs(sets_.Get(set)))); });
    if (record) End(at, count, std::move(before));
    CompactIfSparse();
  }
  // Sets the insertion point's attributes at `at`.
  void SetInsertionPoint(TextIndex at, const CharAttrs& attrs);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  // A span's attributes by value (set numbers change as sets are renumbered)
  // with the insertion point's.
  struct Span {
    RunSpan<CharAttrs> runs;
    TextIndex pendingAt = kInvalidTextIndex;
    CharAttrs pending;
    int32 Length() const { return runs.Length(); }
    size_t Bytes() const;
    bool operator==(const Span& o) const {
      return runs == o.runs && pendingAt == o.pendingAt && (pendingAt < 0 || pending == o.pending);
    }
  };
  template <class, class>
  friend class SpanEdit;
  friend class SpanRecordingImpl;
  Span Read(TextIndex at, int32 count) const;
  void Put(TextIndex at, int32 replaced, const Span& span);

  // Renumbers the sets when most numbers went out of use.
  void CompactIfSparse();
  // The number of the set at an index, or of InsertionAttrs' set; kNoSet
  // outside the story.
  int32 SetAt(TextIndex at) const;
  int32 InsertionSet(TextIndex at, bool atParagraphStart) const;
  int32 TypedSet(int32 set);
  static constexpr int32 kNoSet = -1;

  RunStyles<int32> runs_;
  CharAttrSets sets_;
  TextIndex pendingAt_ = kInvalidTextIndex;
  int32 pendingSet_ = 0;
};
