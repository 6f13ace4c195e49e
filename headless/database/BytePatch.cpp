#include "headless/database/BytePatch.h"
#include <cstring>
#include <unordered_map>

namespace {
constexpr size_t kBlock = 32;
constexpr uint64_t kRollBase = 1099511628211ull;

// FNV-1a: a cheap check that a base is the one a patch was made from.
uint64_t Hash(const std::string& bytes) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
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
}  // namespace

BytePatch MakeBytePatch(const std::string& target, const std::string& base) {
  BytePatch patch;
  patch.baseLength = base.size();
  patch.baseHash = Hash(base);
  PatchWriter out(patch);
  std::unordered_map<uint64_t, size_t> blocks;
  blocks.reserve(base.size() / kBlock + 1);
  for (size_t at = 0; at + kBlock <= base.size(); at += kBlock) blocks.emplace(BlockHash(base.data() + at), at);

  const uint64_t rollOut = RollOut();
  const char* t = target.data();
  size_t i = 0;
  bool hashed = false;
  uint64_t h = 0;
  while (i < target.size()) {
    if (i + kBlock > target.size()) {
      out.Literal(t[i++]);
      continue;
    }
    if (!hashed) h = BlockHash(t + i);
    hashed = true;
    auto found = blocks.find(h);
    if (found != blocks.end() && std::memcmp(t + i, base.data() + found->second, kBlock) == 0) {
      size_t from = found->second, length = kBlock;
      while (i + length < target.size() && from + length < base.size() && t[i + length] == base[from + length])
        ++length;
      out.Copy(from, length);
      i += length;
      hashed = false;
      continue;
    }
    // Slide the window one byte.
    out.Literal(t[i]);
    if (i + kBlock < target.size())
      h = (h - static_cast<unsigned char>(t[i]) * rollOut) * kRollBase + static_cast<unsigned char>(t[i + kBlock]);
    ++i;
  }
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
