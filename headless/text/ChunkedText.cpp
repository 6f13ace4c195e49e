#include "headless/text/ChunkedText.h"

char16_t ChunkedText::At(int32 pos) const {
  int32 start = 0;
  int32 n = chunks_.Find(pos, &start);
  return n < 0 ? char16_t(0) : chunks_.ValueOf(n)[static_cast<size_t>(pos - start)];
}

const char16_t* ChunkedText::PieceAt(int32 pos, int32* start, int32* length) const {
  const int32 n = chunks_.Find(pos, start);
  if (n < 0) return nullptr;
  const std::u16string& chunk = chunks_.ValueOf(n);
  *length = static_cast<int32>(chunk.size());
  return chunk.data();
}

void ChunkedText::Copy(int32 pos, int32 count, std::u16string* out) const {
  if (pos < 0) {
    count += pos;
    pos = 0;
  }
  if (count > Length() - pos) count = Length() - pos;
  if (count <= 0) return;
  int32 end = pos + count;
  chunks_.Visit(chunks_.Find(pos), [&](int32 start, int32 length, const std::u16string& chunk) {
    int32 from = std::max(pos, start), to = std::min(end, start + length);
    out->append(chunk, static_cast<size_t>(from - start), static_cast<size_t>(to - from));
    return start + length < end;
  });
}

bool ChunkedText::Insert(int32 pos, const char16_t* units, int32 count) {
  if (pos < 0 || pos > Length() || count < 0) return false;
  if (count == 0) return true;
  if (chunks_.Count() == 0) {
    Refill(-1, std::u16string(units, static_cast<size_t>(count)));
    return true;
  }
  int32 start = 0;
  int32 n = pos == Length() ? chunks_.Count() - 1 : chunks_.Find(pos, &start);
  if (pos == Length()) start = pos - chunks_.LengthOf(n);
  std::u16string& chunk = chunks_.ValueAt(n);
  size_t offset = static_cast<size_t>(pos - start);
  if (static_cast<int32>(chunk.size()) + count <= kMaxChunk) {
    chunk.insert(offset, units, static_cast<size_t>(count));
    chunks_.SetLength(n, static_cast<int32>(chunk.size()));
    return true;
  }
  std::u16string joined;
  joined.reserve(chunk.size() + static_cast<size_t>(count));
  joined.append(chunk, 0, offset).append(units, static_cast<size_t>(count)).append(chunk, offset, std::u16string::npos);
  Refill(n, joined);
  return true;
}

bool ChunkedText::Erase(int32 pos, int32 count) {
  if (pos < 0 || count < 0 || count > Length() - pos) return false;
  while (count > 0) {
    int32 start = 0;
    int32 n = chunks_.Find(pos, &start);
    std::u16string& chunk = chunks_.ValueAt(n);
    size_t offset = static_cast<size_t>(pos - start);
    size_t take = std::min(chunk.size() - offset, static_cast<size_t>(count));
    chunk.erase(offset, take);
    count -= static_cast<int32>(take);
    if (chunk.empty()) chunks_.Erase(n, 1);
    else chunks_.SetLength(n, static_cast<int32>(chunk.size()));
  }
  int32 n = pos < Length() ? chunks_.Find(pos) : chunks_.Count() - 1;
  JoinIfSmall(n);
  JoinIfSmall(n - 1);
  return true;
}

void ChunkedText::Assign(const std::u16string& units) {
  chunks_.Clear();
  for (size_t at = 0; at < units.size(); at += kChunk) {
    std::u16string piece = units.substr(at, kChunk);
    chunks_.PushBack(static_cast<int32>(piece.size()), piece);
  }
}

void ChunkedText::Refill(int32 n, const std::u16string& units) {
  int32 at = n < 0 ? 0 : n;
  if (n >= 0) chunks_.Erase(n, 1);
  for (size_t from = 0; from < units.size(); from += kChunk, ++at) {
    std::u16string piece = units.substr(from, kChunk);
    chunks_.Insert(at, static_cast<int32>(piece.size()), piece);
  }
}

void ChunkedText::JoinIfSmall(int32 n) {
  if (n < 0 || n + 1 >= chunks_.Count()) return;
  int32 a = chunks_.LengthOf(n), b = chunks_.LengthOf(n + 1);
  if (a + b > kMaxChunk || (a >= kChunk / 4 && b >= kChunk / 4)) return;
  std::u16string next = std::move(chunks_.ValueAt(n + 1));
  chunks_.Erase(n + 1, 1);
  std::u16string& chunk = chunks_.ValueAt(n);
  chunk += next;
  chunks_.SetLength(n, static_cast<int32>(chunk.size()));
}
