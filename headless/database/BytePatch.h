#pragma once
// Bytes kept as their difference from a base: a list of pieces, each either
// a run copied from the base or a run of the patch's own literal bytes, in
// the order they make up the target. A patch resolves only against the base
// it was made from (same length and hash). Undo keeps large states this way,
// so a step costs what it changed rather than the size of what it touched.
//
// What target and base share at either end is one piece each. Between, pieces
// are found as in rsync: the base's aligned blocks are indexed by a rolling
// hash, the target is scanned for them, and each match is extended as far
// as the bytes agree. An edit anywhere, with the lengths stored ahead
// of it changed too, costs a few pieces and the edit's bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct BytePatch {
  struct Piece {
    bool fromBase;
    size_t offset;  // in the base, or in `literals`
    size_t length;
  };
  std::vector<Piece> pieces;
  std::string literals;
  size_t baseLength = 0;
  uint64_t baseHash = 0;

  // What the patch holds, in bytes.
  size_t Size() const { return literals.size() + pieces.size() * sizeof(Piece); }
};

BytePatch MakeBytePatch(const std::string& target, const std::string& base);
// False, leaving `out` alone, when `base` is not the patch's base.
bool ResolveBytePatch(const BytePatch& patch, const std::string& base, std::string* out);
