#pragma once
// UTF-16 code units in chunks.
//
// Invariants: no chunk is empty, none holds more than kMaxChunk units, and
// each partition's length is its chunk's size. An edit touches the chunks
// the edited range covers and at most two neighbours, so its cost does not
// grow with the text's length.
#include "headless/text/Partitioning.h"
#include <string>

class ChunkedText {
public:
  static constexpr int32 kMaxChunk = 4096;
  static constexpr int32 kChunk = 2048;  // the size of chunks made from new text

  int32 Length() const { return chunks_.Total(); }
  // The unit at pos; 0 outside.
  char16_t At(int32 pos) const;
  // The stored piece holding pos: its units, with its start and length in
  // the text; null outside. Valid until the next edit.
  const char16_t* PieceAt(int32 pos, int32* start, int32* length) const;
  // Appends to `out` the units of [pos, pos + count), clipped to the text.
  void Copy(int32 pos, int32 count, std::u16string* out) const;
  // Calls f(units, count) for each stored piece of the whole text, in order.
  template <class F>
  void ForEachPiece(F f) const {
    chunks_.Visit(0, [&](int32, int32 length, const std::u16string& chunk) {
      f(chunk.data(), length);
      return true;
    });
  }

  // Inserts at pos (0 <= pos <= Length()); false outside.
  bool Insert(int32 pos, const char16_t* units, int32 count);
  // Erases [pos, pos + count); false unless the range lies inside the text.
  bool Erase(int32 pos, int32 count);
  void Assign(const std::u16string& units);

private:
  // Replaces chunk n by chunks of at most kChunk units made from `units`.
  void Refill(int32 n, const std::u16string& units);
  void JoinIfSmall(int32 n);

  Partitioning<std::u16string> chunks_;
};
