#include "headless/database/BytePatch.h"
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <unordered_map>

namespace {
constexpr size_t kBlock = 32;
constexpr uint64_t kRollBase = 1099511628211ull;

// A cheap check that a base is the one a patch was made from: FNV-1a over
// eight bytes at a time, with a shift to spread each word's high bits.
uint64_t Hash(const std::string& bytes) {
  const char* p = bytes.data();
  const size_t n = bytes.size();
  uint64_t h = 14695981039346656037ull ^ n;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, p + i, 8);
    h = (h ^ word) * 1099511628211ull;
    h ^= h >> 29;
  }
  for (; i < n; ++i) {
    h ^= static_cast<unsigned char>(p[i]);
    h *= 1099511628211ull;
  }
  return h;
}

// How many bytes a and b share at their start, of the first n.
size_t CommonPrefix(const char* a, const char* b, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y) break;
  }
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

// How many bytes the ranges ending at aEnd and bEnd share at their end, of
// the last n.
size_t CommonSuffix(const char* aEnd, const char* bEnd, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, aEnd - i - 8, 8);
    std::memcpy(&y, bEnd - i - 8, 8);
    if (x != y) break;
  }
  while (i < n && aEnd[-1 - static_cast<std::ptrdiff_t>(i)] == bEnd[-1 - static_cast<std::ptrdiff_t>(i)]) ++i;
  return i;
}

uint64_t BlockHash(const char* p) {
  uint64_t h = 0;
  for (size_t i = 0; i < kBlock; ++i) h = h * kRollBase + static_cast<unsigned char>(p[i]);
  return h;
}

uint64_t RollOut() {
  uint64_t power = 1;
  for (size_t i = 1; i < kBlock; ++i) power *= kRollBase;
  return power;
}

class PatchWriter {
public:
  explicit PatchWriter(BytePatch& patch) : patch_(patch) {}
  void Literal(char c) {
    if (patch_.pieces.empty() || patch_.pieces.back().fromBase)
      patch_.pieces.push_back({false, patch_.literals.size(), 0});
    patch_.literals.push_back(c);
    ++patch_.pieces.back().length;
  }
  void Copy(size_t offset, size_t length) { patch_.pieces.push_back({true, offset, length}); }

private:
  BytePatch& patch_;
};

// A field rewritten in place (a count ahead of a list) ends the common start
// early, and everything from it to the change in the list would be looked
// up block by block. Runs of the same bytes at the same offset a little
// further on are copied too; answers where they end.
size_t SkipFieldsInPlace(const std::string& target, const std::string& base, size_t at, PatchWriter& out) {
  constexpr size_t kWindow = 64, kFields = 8;
  const size_t shorter = std::min(target.size(), base.size());
  for (size_t fields = 0; fields < kFields && at < shorter; ++fields) {
    size_t next = at + 1;
    while (next + kBlock <= shorter && next <= at + kWindow &&
           std::memcmp(target.data() + next, base.data() + next, kBlock) != 0)
      ++next;
    if (next + kBlock > shorter || next > at + kWindow) break;
    for (; at < next; ++at) out.Literal(target[at]);
    const size_t run = CommonPrefix(target.data() + next, base.data() + next, shorter - next);
    out.Copy(next, run);
    at = next + run;
  }
  return at;
}
}  // namespace

BytePatch MakeBytePatch(const std::string& target, const std::string& base) {
  BytePatch patch;
  patch.baseLength = base.size();
  patch.baseHash = Hash(base);
  PatchWriter out(patch);
  // What the two share at either end is copied whole, as most edits leave
  // it; blocks are looked for only in what lies between.
  const size_t shorter = std::min(target.size(), base.size());
  size_t prefix = CommonPrefix(target.data(), base.data(), shorter);
  if (prefix > 0) out.Copy(0, prefix);
  prefix = SkipFieldsInPlace(target, base, prefix, out);
  const size_t suffix =
      CommonSuffix(target.data() + target.size(), base.data() + base.size(), shorter - prefix);
  const size_t targetEnd = target.size() - suffix, baseEnd = base.size() - suffix;

  std::unordered_map<uint64_t, size_t> blocks;
  blocks.reserve((baseEnd - prefix) / kBlock + 1);
  for (size_t at = prefix; at + kBlock <= baseEnd; at += kBlock) blocks.emplace(BlockHash(base.data() + at), at);

  const uint64_t rollOut = RollOut();
  const char* t = target.data();
  size_t i = prefix;
  bool hashed = false;
  uint64_t h = 0;
  while (i < targetEnd) {
    if (i + kBlock > targetEnd || blocks.empty()) {
      out.Literal(t[i++]);
      continue;
    }
    if (!hashed) h = BlockHash(t + i);
    hashed = true;
    auto found = blocks.find(h);
    if (found != blocks.end() && std::memcmp(t + i, base.data() + found->second, kBlock) == 0) {
      size_t from = found->second, length = kBlock;
      while (i + length < targetEnd && from + length < base.size() && t[i + length] == base[from + length])
        ++length;
      out.Copy(from, length);
      i += length;
      hashed = false;
      continue;
    }
    // Slide the window one byte.
    out.Literal(t[i]);
    if (i + kBlock < targetEnd)
      h = (h - static_cast<unsigned char>(t[i]) * rollOut) * kRollBase + static_cast<unsigned char>(t[i + kBlock]);
    ++i;
  }
  if (suffix > 0) out.Copy(baseEnd, suffix);
  return patch;
}

bool ResolveBytePatch(const BytePatch& patch, const std::string& base, std::string* out) {
  if (base.size() != patch.baseLength || Hash(base) != patch.baseHash) return false;
  std::string bytes;
  for (const BytePatch::Piece& piece : patch.pieces) {
    const std::string& from = piece.fromBase ? base : patch.literals;
    if (piece.offset > from.size() || piece.length > from.size() - piece.offset) return false;
    bytes.append(from, piece.offset, piece.length);
  }
  *out = std::move(bytes);
  return true;
}
