#pragma once
// Divides the positions [0, Total()) into Count() consecutive partitions,
// each with a length (>= 0) and a value.
//
// Invariants: partitions live in blocks of at most kMaxBlock, no block is
// empty, and each block's sum is that of its lengths. Two Fenwick trees over the blocks, rebuilt after the blocks
// split or join and updated in place otherwise, sum the blocks' lengths and
// partition counts. Finding a position or a partition therefore costs
// O(log blocks + kMaxBlock), and inserting, resizing or erasing one moves at
// most one block's entries: the blocks play the part of a gap buffer's gap,
// keeping every edit local whatever Total() is. Lengths and values are kept
// apart so that scans read plain integers. Every block has an id of its own,
// kept while blocks around it come and go, and a tracker (when set) hears the
// id of the block each inserted, appended or moved value lands in, so that an
// owner can find a value again in the same time as a position. The block
// last found by position is kept with its start and first index, and the
// partition found last within it with its start (each moved with edits
// before it), so that edits at a cursor find their partition without a search.
#include "host/IDTypes.h"
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <numeric>
#include <unordered_map>
#include <vector>

template <class V>
class Partitioning {
public:
  static constexpr size_t kMaxBlock = 128;  // a fuller block splits in two
  static constexpr size_t kMinBlock = 16;   // a smaller one joins a neighbour when they fit

  int32 Count() const { return count_; }
  int32 Total() const { return total_; }

  // Hears (value, block id) whenever a value lands in a block. Values
  // changed in place (ValueAt, ForValues) stay where they are: their owner
  // knows them already.
  using Tracker = std::function<void(const V&, uint32_t)>;
  void Track(Tracker tracker) { tracker_ = std::move(tracker); }

  // The start of the first partition of block `id` holding value; -1 when
  // that block is gone or does not hold it.
  int32 StartInBlock(uint32_t id, const V& value) const {
    if (!treesValid_) Rebuild();
    auto it = indexOfId_.find(id);
    if (it == indexOfId_.end()) return -1;
    const size_t b = it->second;
    const Block& block = blocks_[b];
    // Two plain passes, the search and then the sum, rather than one with a
    // test at every step: both run over contiguous integers.
    const auto found = std::find(block.values.begin(), block.values.end(), value);
    if (found == block.values.end()) return -1;
    const auto before = block.lengths.begin() + (found - block.values.begin());
    return Prefix(lengths_, b) + std::accumulate(block.lengths.begin(), before, 0);
  }

  // The partition holding pos (0 <= pos < Total()), skipping empty ones, and
  // its start; -1 outside.
  int32 Find(int32 pos, int32* start = nullptr) const {
    if (pos < 0 || pos >= total_) return -1;
    int32 at = 0, index = 0;
    size_t b = 0, i = 0;
    if (FingerHolds(pos)) {
      b = finger_.block;
      at = finger_.start;
      index = finger_.index;
      // Edits at a cursor ask near the partition found last.
      if (finger_.partValid && pos >= finger_.partStart) {
        i = finger_.part;
        at = finger_.partStart;
        index += static_cast<int32>(i);
      }
    } else {
      b = Search(lengths_, pos, &at);
      index = Prefix(counts_, b);
      finger_ = {b, at, index, true};
    }
    const std::vector<int32>& lengths = blocks_[b].lengths;
    for (; i < lengths.size() && pos >= at + lengths[i]; ++i) {
      at += lengths[i];
      ++index;
    }
    finger_.part = i;
    finger_.partStart = at;
    finger_.partValid = true;
    if (start) *start = at;
    return index;
  }

  int32 StartOf(int32 n) const {
    if (n >= count_) return total_;
    size_t b, off;
    Locate(n, &b, &off);
    // Locate left the trees valid.
    const bool inFinger = finger_.valid && finger_.block == b;
    const bool fromPart = inFinger && finger_.partValid && off >= finger_.part;
    int32 at = fromPart ? finger_.partStart : inFinger ? finger_.start : Prefix(lengths_, b);
    for (size_t i = fromPart ? finger_.part : 0; i < off; ++i) at += blocks_[b].lengths[i];
    return at;
  }

  int32 LengthOf(int32 n) const {
    size_t b, off;
    Locate(n, &b, &off);
    return blocks_[b].lengths[off];
  }
  const V& ValueOf(int32 n) const {
    size_t b, off;
    Locate(n, &b, &off);
    return blocks_[b].values[off];
  }
  V& ValueAt(int32 n) {
    size_t b, off;
    Locate(n, &b, &off);
    return blocks_[b].values[off];
  }

  void SetLength(int32 n, int32 length) {
    size_t b, off;
    Locate(n, &b, &off);
    int32 delta = length - blocks_[b].lengths[off];
    blocks_[b].lengths[off] = length;
    if (FingerPartIn(b) && off < finger_.part) finger_.partStart += delta;
    blocks_[b].sum += delta;
    total_ += delta;
    Add(lengths_, b, delta);
  }

  // A new partition before partition n; n == Count() appends.
  void Insert(int32 n, int32 length, const V& value) {
    if (blocks_.empty()) {
      blocks_.push_back(NewBlock());
      treesValid_ = false;
    }
    size_t b, off;
    Locate(n, &b, &off);
    Block& block = blocks_[b];
    // The new partition goes before the one at off, moving it along.
    if (FingerPartIn(b) && off <= finger_.part) {
      ++finger_.part;
      finger_.partStart += length;
    }
    block.lengths.insert(block.lengths.begin() + static_cast<std::ptrdiff_t>(off), length);
    block.values.insert(block.values.begin() + static_cast<std::ptrdiff_t>(off), value);
    block.sum += length;
    total_ += length;
    ++count_;
    Add(lengths_, b, length);
    Add(counts_, b, 1);
    Placed(block.id, value);
    SplitIfFull(b);
  }

  // Appends without searching, for building from a stream.
  void PushBack(int32 length, const V& value) {
    if (blocks_.empty() || blocks_.back().lengths.size() >= kMaxBlock / 2) blocks_.push_back(NewBlock());
    blocks_.back().lengths.push_back(length);
    blocks_.back().values.push_back(value);
    blocks_.back().sum += length;
    total_ += length;
    ++count_;
    treesValid_ = false;
    Placed(blocks_.back().id, value);
  }

  void Erase(int32 first, int32 count) {
    while (count > 0 && first < count_) {
      size_t b, off;
      Locate(first, &b, &off);
      Block& block = blocks_[b];
      if (b == finger_.block) finger_.partValid = false;
      auto n = static_cast<std::ptrdiff_t>(std::min(static_cast<size_t>(count), block.lengths.size() - off));
      auto from = block.lengths.begin() + static_cast<std::ptrdiff_t>(off);
      int32 removed = 0;
      for (auto it = from; it != from + n; ++it) removed += *it;
      block.lengths.erase(from, from + n);
      auto values = block.values.begin() + static_cast<std::ptrdiff_t>(off);
      block.values.erase(values, values + n);
      block.sum -= removed;
      total_ -= removed;
      count_ -= static_cast<int32>(n);
      count -= static_cast<int32>(n);
      Add(lengths_, b, -removed);
      Add(counts_, b, -static_cast<int32>(n));
      if (block.lengths.empty()) {
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
        treesValid_ = false;
      } else {
        JoinIfSmall(b);
      }
    }
  }

  void Clear() {
    blocks_.clear();
    count_ = total_ = 0;
    treesValid_ = false;
  }

  // Calls f(start, length, value) for the partitions from n on, while f
  // answers true.
  template <class F>
  void Visit(int32 n, F f) const {
    if (n < 0 || n >= count_) return;
    size_t b, off;
    Locate(n, &b, &off);
    int32 at = StartOf(n);
    for (; b < blocks_.size(); ++b, off = 0) {
      const Block& block = blocks_[b];
      for (size_t i = off; i < block.lengths.size(); ++i) {
        if (!f(at, block.lengths[i], block.values[i])) return;
        at += block.lengths[i];
      }
    }
  }

  // Calls f(value) for partitions [first, first + count); lengths stay.
  template <class F>
  void ForValues(int32 first, int32 count, F f) {
    if (first < 0 || first >= count_ || count <= 0) return;
    size_t b, off;
    Locate(first, &b, &off);
    for (; b < blocks_.size() && count > 0; ++b, off = 0)
      for (size_t i = off; i < blocks_[b].values.size() && count > 0; ++i, --count) f(blocks_[b].values[i]);
  }

private:
  struct Block {
    std::vector<int32> lengths;
    std::vector<V> values;
    int32 sum = 0;  // of its lengths
    uint32_t id = 0;
  };

  Block NewBlock() {
    Block block;
    block.id = nextId_++;
    return block;
  }
  void Placed(uint32_t id, const V& value) const {
    if (tracker_) tracker_(value, id);
  }

  // The last block found by position, with the sum of the lengths and the
  // count of the partitions before it; valid while the trees are. Within
  // it, the partition found last and its start, while partValid.
  struct Finger {
    size_t block = 0;
    int32 start = 0;
    int32 index = 0;
    bool valid = false;
    size_t part = 0;
    int32 partStart = 0;
    bool partValid = false;
  };
  bool FingerPartIn(size_t b) const { return finger_.valid && finger_.partValid && b == finger_.block; }
  bool FingerHolds(int32 pos) const {
    return treesValid_ && finger_.valid && pos >= finger_.start && pos < finger_.start + blocks_[finger_.block].sum;
  }

  // Fenwick trees over the blocks (1-based), rebuilt when they went stale.
  void Rebuild() const {
    finger_.valid = false;
    const size_t n = blocks_.size();
    lengths_.assign(n + 1, 0);
    counts_.assign(n + 1, 0);
    indexOfId_.clear();
    for (size_t b = 0; b < n; ++b) {
      indexOfId_[blocks_[b].id] = b;
      lengths_[b + 1] += blocks_[b].sum;
      counts_[b + 1] += static_cast<int32>(blocks_[b].lengths.size());
      size_t parent = (b + 1) + ((b + 1) & (~(b + 1) + 1));
      if (parent <= n) {
        lengths_[parent] += lengths_[b + 1];
        counts_[parent] += counts_[b + 1];
      }
    }
    treesValid_ = true;
  }
  void Add(std::vector<int32>& tree, size_t block, int32 delta) const {
    if (!treesValid_ || delta == 0) return;
    if (finger_.valid && block < finger_.block) {
      if (&tree == &lengths_) {
        finger_.start += delta;
        finger_.partStart += delta;
      } else {
        finger_.index += delta;
      }
    }
    for (size_t i = block + 1; i < tree.size(); i += i & (~i + 1)) tree[i] += delta;
  }
  // The sum over blocks [0, block).
  int32 Prefix(const std::vector<int32>& tree, size_t block) const {
    if (!treesValid_) Rebuild();
    int32 sum = 0;
    for (size_t i = block; i > 0; i -= i & (~i + 1)) sum += tree[i];
    return sum;
  }
  // The block whose span holds `value` (0 <= value < the tree's total), with
  // the sum over the blocks before it.
  size_t Search(const std::vector<int32>& tree, int32 value, int32* before) const {
    if (!treesValid_) Rebuild();
    size_t pos = 0, step = 1;
    while (step * 2 < tree.size()) step *= 2;
    int32 rest = value;
    for (; step > 0; step /= 2) {
      if (pos + step < tree.size() && tree[pos + step] <= rest) {
        pos += step;
        rest -= tree[pos];
      }
    }
    *before = value - rest;
    return pos;
  }

  // Block and offset of partition n; n == Count() is the end of the last block.
  void Locate(int32 n, size_t* block, size_t* offset) const {
    if (n >= count_) {
      *block = blocks_.empty() ? 0 : blocks_.size() - 1;
      *offset = blocks_.empty() ? 0 : blocks_.back().lengths.size();
      return;
    }
    if (treesValid_ && finger_.valid && n >= finger_.index &&
        static_cast<size_t>(n - finger_.index) < blocks_[finger_.block].lengths.size()) {
      *block = finger_.block;
      *offset = static_cast<size_t>(n - finger_.index);
      return;
    }
    int32 before = 0;
    *block = Search(counts_, n, &before);
    *offset = static_cast<size_t>(n - before);
  }

  void SplitIfFull(size_t b) {
    Block& full = blocks_[b];
    if (full.lengths.size() <= kMaxBlock) return;
    auto half = static_cast<std::ptrdiff_t>(full.lengths.size() / 2);
    Block second = NewBlock();
    second.lengths.assign(full.lengths.begin() + half, full.lengths.end());
    second.values.assign(std::make_move_iterator(full.values.begin() + half),
                         std::make_move_iterator(full.values.end()));
    full.lengths.erase(full.lengths.begin() + half, full.lengths.end());
    full.values.erase(full.values.begin() + half, full.values.end());
    for (int32 length : second.lengths) second.sum += length;
    full.sum -= second.sum;
    for (const V& value : second.values) Placed(second.id, value);
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b + 1), std::move(second));
    treesValid_ = false;
  }

  void JoinIfSmall(size_t b) {
    if (blocks_[b].lengths.size() >= kMinBlock) return;
    size_t into;
    if (b + 1 < blocks_.size() && blocks_[b].lengths.size() + blocks_[b + 1].lengths.size() <= kMaxBlock) {
      into = b;
      ++b;
    } else if (b > 0 && blocks_[b - 1].lengths.size() + blocks_[b].lengths.size() <= kMaxBlock) {
      into = b - 1;
    } else {
      return;
    }
    Block& target = blocks_[into];
    Block& source = blocks_[b];
    target.lengths.insert(target.lengths.end(), source.lengths.begin(), source.lengths.end());
    target.values.insert(target.values.end(), std::make_move_iterator(source.values.begin()),
                         std::make_move_iterator(source.values.end()));
    target.sum += source.sum;
    for (const V& value : source.values) Placed(target.id, value);
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
    treesValid_ = false;
  }

  std::vector<Block> blocks_;
  int32 count_ = 0;
  int32 total_ = 0;
  uint32_t nextId_ = 0;
  Tracker tracker_;
  mutable std::vector<int32> lengths_, counts_;
  mutable std::unordered_map<uint32_t, size_t> indexOfId_;  // rebuilt with the trees
  mutable bool treesValid_ = false;
  mutable Finger finger_;
};
