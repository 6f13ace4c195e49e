// The storage structures against plain models, under random edits large
// enough to split and join blocks and chunks many times.
#include "headless/layout/AdornmentsByLine.h"
#include "headless/layout/SplitVector.h"
#include "headless/text/ChunkedText.h"
#include "headless/text/Partitioning.h"
#include "headless/text/RunStyles.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <vector>

namespace {
// Checks the run invariants and answers the value of every position.
std::vector<int> Expand(const RunStyles<int>& runs) {
  std::vector<int> values;
  int previous = -1;
  int32 expectedStart = 0;
  runs.ForEach(0, runs.Length(), [&](int32 start, int32 length, int value) {
    EXPECT_EQ(expectedStart, start);
    EXPECT_GT(length, 0);
    EXPECT_NE(previous, value) << "equal neighbours at " << start;
    previous = value;
    expectedStart = start + length;
    values.insert(values.end(), static_cast<size_t>(length), value);
    return true;
  });
  return values;
}
}  // namespace

TEST(TextStorage, RunStylesMatchAPlainArrayUnderRandomEdits) {
  std::mt19937 rng(7);
  RunStyles<int> runs;
  std::vector<int> model;
  int32 mostRuns = 0;
  int32 cursor = 0;
  for (int step = 0; step < 20000; ++step) {
    int32 size = static_cast<int32>(model.size());
    // Half the edits stay near the last, as typing does, so that the block
    // found last is found again.
    int32 pos = rng() % 2 ? static_cast<int32>(rng() % (size + 1))
                          : std::clamp(cursor + static_cast<int32>(rng() % 21) - 10, 0, size);
    cursor = pos;
    int32 length = static_cast<int32>(rng() % 9);
    int value = static_cast<int>(rng() % 4);
    switch (rng() % 6) {
      case 0:
      case 1:
      case 2:
        runs.InsertSpace(pos, length, value);
        model.insert(model.begin() + pos, static_cast<size_t>(length), value);
        break;
      case 3:
        length = std::min(length, size - pos);
        runs.DeleteRange(pos, length);
        model.erase(model.begin() + pos, model.begin() + pos + length);
        break;
      case 4:
        length = std::min(length, size - pos);
        runs.FillRange(pos, length, value);
        std::fill(model.begin() + pos, model.begin() + pos + length, value);
        break;
      default:
        length = std::min(length * 5, size - pos);
        runs.Transform(pos, length, [](int v) { return v == 3 ? 0 : v + 1; });
        for (int32 i = pos; i < pos + length; ++i) {
          int& v = model[static_cast<size_t>(i)];
          v = v == 3 ? 0 : v + 1;
        }
    }
    mostRuns = std::max(mostRuns, runs.RunCount());
    if (step % 500 == 0) {
      ASSERT_EQ(model, Expand(runs)) << "step " << step;
    }
  }
  EXPECT_GT(mostRuns, 2 * 512) << "the edits should have split blocks";
  ASSERT_EQ(model, Expand(runs));
  for (int32 probe : {0, 1, runs.Length() / 2, runs.Length() - 1}) {
    int32 start = -1, length = 0;
    EXPECT_EQ(model[static_cast<size_t>(probe)], runs.ValueAt(probe, &start, &length));
    EXPECT_LE(start, probe);
    EXPECT_GT(start + length, probe);
  }
  EXPECT_EQ(0, runs.ValueAt(-1));
  EXPECT_EQ(0, runs.ValueAt(runs.Length()));
}

// Partitions by index and by position against a plain list, with edits
// mostly near the last one, through enough of them to split and join blocks:
// the block found last must never be trusted after blocks moved.
TEST(TextStorage, PartitionsMatchAPlainListUnderEditsNearEachOther) {
  std::mt19937 rng(11);
  Partitioning<int> parts;
  std::vector<std::pair<int32, int>> model;  // length, value
  int32 cursor = 0, mostParts = 0;
  for (int step = 0; step < 30000; ++step) {
    const int32 count = static_cast<int32>(model.size());
    const int32 n = rng() % 4 ? std::clamp(cursor + static_cast<int32>(rng() % 7) - 3, 0, count)
                              : static_cast<int32>(rng() % (count + 1));
    cursor = n;
    const int32 length = 1 + static_cast<int32>(rng() % 5);
    const int value = static_cast<int>(rng() % 100);
    const auto at = model.begin() + n;
    // Growing, then shrinking back, so that blocks split and then join.
    const uint32_t op = count < 40 ? 0 : rng() % 8;
    switch (op < 3 ? (step < 15000 ? 0 : 1) : op < 4 ? (step < 15000 ? 1 : 0) : op < 6 ? 2 : 3) {
      case 0:
        parts.Insert(n, length, value);
        model.insert(at, {length, value});
        break;
      case 1:
        if (n == count) break;
        parts.Erase(n, std::min(1 + length % 2, count - n));
        model.erase(at, at + std::min(1 + length % 2, count - n));
        break;
      case 2:
        if (n == count) break;
        parts.SetLength(n, length);
        at->first = length;
        break;
      default: {
        if (n == count) break;
        int32 start = 0;
        for (int32 i = 0; i < n; ++i) start += model[static_cast<size_t>(i)].first;
        ASSERT_EQ(start, parts.StartOf(n)) << "step " << step;
        ASSERT_EQ(at->first, parts.LengthOf(n)) << "step " << step;
        ASSERT_EQ(at->second, parts.ValueOf(n)) << "step " << step;
        int32 found = -1;
        ASSERT_EQ(n, parts.Find(start + at->first - 1, &found)) << "step " << step;
        ASSERT_EQ(start, found) << "step " << step;
        // Anywhere in the partition, from the one found last.
        ASSERT_EQ(n, parts.Find(start + static_cast<int32>(rng() % static_cast<uint32_t>(at->first)), &found))
            << "step " << step;
        ASSERT_EQ(start, found) << "step " << step;
      }
    }
    ASSERT_EQ(static_cast<int32>(model.size()), parts.Count()) << "step " << step;
    mostParts = std::max(mostParts, parts.Count());
  }
  EXPECT_GT(mostParts, 8 * 128) << "the edits should have split blocks";
  EXPECT_LT(parts.Count(), 200) << "and joined them again";
}

// Unique tags in one-position runs, as the owned-item strand keeps them, are
// found again from the block the tracker last named, through enough edits to
// split, join and drop blocks many times.
TEST(TextStorage, TrackedRunsAreFoundFromTheirBlockUnderRandomEdits) {
  std::mt19937 rng(11);
  RunStyles<int> runs;
  std::map<int, uint32_t> blockOf;
  runs.Track([&](int value, uint32_t block) {
    if (value != 0) blockOf[value] = block;
  });
  std::vector<int> model;
  int next = 1;
  for (int step = 0; step < 20000; ++step) {
    const int32 size = static_cast<int32>(model.size());
    const int32 pos = static_cast<int32>(rng() % (size + 1));
    const int32 length = static_cast<int32>(rng() % 6) + 1;
    switch (rng() % 5) {
      case 0:
      case 4:
        runs.InsertSpace(pos, length, 0);
        model.insert(model.begin() + pos, static_cast<size_t>(length), 0);
        break;
      case 1: {
        const int32 count = std::min(length, size - pos);
        runs.DeleteRange(pos, count);
        for (int32 i = pos; i < pos + count; ++i) blockOf.erase(model[static_cast<size_t>(i)]);
        model.erase(model.begin() + pos, model.begin() + pos + count);
        break;
      }
      default: {
        if (pos >= size) break;
        const int old = model[static_cast<size_t>(pos)];
        const int tag = rng() % 3 == 0 ? 0 : next++;
        runs.FillRange(pos, 1, tag);
        blockOf.erase(old);
        model[static_cast<size_t>(pos)] = tag;
      }
    }
    if (step % 997 != 0) continue;
    ASSERT_EQ(model, Expand(runs)) << "step " << step;
    for (int32 i = 0; i < static_cast<int32>(model.size()); ++i) {
      const int tag = model[static_cast<size_t>(i)];
      if (tag == 0) continue;
      ASSERT_TRUE(blockOf.count(tag)) << "tag " << tag << " never placed";
      ASSERT_EQ(i, runs.StartOfTracked(blockOf[tag], tag)) << "tag " << tag << " at step " << step;
    }
  }
  EXPECT_EQ(-1, runs.StartOfTracked(0xFFFFFFFFu, 1));  // no such block
}

// Edits that wander, jump, append and cut, each checked against a plain
// vector element by element, also through the stretch-wise walk.
TEST(TextStorage, SplitVectorMatchesAVectorUnderEditsNearEachOther) {
  std::mt19937 rng(5);
  SplitVector<int> split;
  std::vector<int> model;
  size_t cursor = 0;
  for (int step = 0; step < 6000; ++step) {
    const size_t size = model.size();
    cursor = rng() % 5 ? std::min(size, cursor + rng() % 9 - std::min<size_t>(cursor, 4)) : rng() % (size + 1);
    const uint32_t op = rng() % 10;
    if (op < 5 || size < 8) {
      const size_t count = rng() % 4;
      split.Insert(cursor, count, step);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(cursor), count, step);
    } else if (op < 8) {
      const size_t last = std::min(size, cursor + rng() % 4);
      split.Erase(cursor, last);
      const auto first = model.begin() + static_cast<std::ptrdiff_t>(cursor);
      model.erase(first, first + static_cast<std::ptrdiff_t>(last - cursor));
    } else if (op < 9) {
      split.PushBack(-step);
      model.push_back(-step);
    } else if (step % 500 == 0) {
      split.Truncate(size / 2);
      model.resize(size / 2);
    }
    ASSERT_EQ(model.size(), split.size()) << "step " << step;
    if (step % 50 != 0) continue;
    const SplitVector<int>& view = split;
    for (size_t n = 0; n < model.size(); ++n) {
      ASSERT_EQ(model[n], view[n]) << "step " << step << " at " << n;
      ASSERT_EQ(model[n], split[n]) << "step " << step << " at " << n;
    }
    const size_t from = model.empty() ? 0 : rng() % model.size();
    std::vector<int> walked;
    split.ForEach(from, model.size(), [&](int& v) { walked.push_back(v); });
    ASSERT_EQ(std::vector<int>(model.begin() + static_cast<std::ptrdiff_t>(from), model.end()), walked);
  }
  EXPECT_GT(model.size(), 1000u);
}

// Lines recomposed lose their adornments and the lines after them move on,
// as a map renumbered in full would have it; edits wander near each other
// and jump, so the lazily applied step moves both ways.
TEST(TextStorage, AdornmentsFollowTheirLinesAsARenumberedMapWould) {
  std::mt19937 rng(11);
  AdornmentsByLine adornments;
  std::map<int32, AdornmentsByLine::List> model;
  int32 cursor = 0;
  for (int step = 1; step < 5000; ++step) {
    cursor = rng() % 6 ? std::max(0, cursor + static_cast<int32>(rng() % 9) - 4) : static_cast<int32>(rng() % 400);
    const uint32_t op = rng() % 10;
    if (op < 5) {
      const std::pair<ClassID, double> mark{ClassID{static_cast<uint32_t>(step)}, step * 0.5};
      adornments.At(cursor).push_back(mark);
      model[cursor].push_back(mark);
    } else if (op < 9) {
      const int32 end = cursor + static_cast<int32>(rng() % 3);
      // The lines composed again take [cursor, end + moved): none fewer than none.
      const int32 moved = static_cast<int32>(rng() % 6) - (end - cursor);
      adornments.Recomposed(cursor, end, moved);
      std::map<int32, AdornmentsByLine::List> renumbered;
      for (auto& [line, list] : model) {
        if (line < cursor) renumbered[line] = list;
        else if (line >= end) renumbered[line + moved] = list;
      }
      model.swap(renumbered);
    } else if (step % 400 == 0) {
      adornments.Clear();
      model.clear();
    } else if (step % 7 == 0) {
      adornments.DropFrom(cursor);
      model.erase(model.lower_bound(cursor), model.end());
    }
    // Lines just sought or moved are asked again at once, as adorning does.
    for (int32 line : {cursor + 2, cursor + 1, cursor}) {
      const auto it = model.find(line);
      ASSERT_EQ(it != model.end(), adornments.Find(line) != nullptr) << "step " << step << " line " << line;
    }
    if (step % 25 != 0) continue;
    for (int32 line = -8; line < 420; ++line) {
      const AdornmentsByLine::List* found = adornments.Find(line);
      const auto it = model.find(line);
      ASSERT_EQ(it != model.end(), found != nullptr) << "step " << step << " line " << line;
      if (!found) continue;
      ASSERT_EQ(it->second, *found) << "step " << step << " line " << line;
    }
  }
}

TEST(TextStorage, ChunkedTextMatchesAStringUnderRandomEdits) {
  std::mt19937 rng(11);
  ChunkedText text;
  std::u16string model;
  for (int step = 0; step < 4000; ++step) {
    int32 size = static_cast<int32>(model.size());
    int32 pos = static_cast<int32>(rng() % (size + 1));
    if (rng() % 3 != 0) {
      // Mostly small insertions, sometimes one larger than a chunk.
      int32 length = rng() % 50 == 0 ? 9000 : static_cast<int32>(rng() % 30);
      std::u16string units(static_cast<size_t>(length), char16_t(u'a' + step % 26));
      ASSERT_TRUE(text.Insert(pos, units.data(), length));
      model.insert(static_cast<size_t>(pos), units);
    } else {
      int32 length = std::min(static_cast<int32>(rng() % 3000), size - pos);
      ASSERT_TRUE(text.Erase(pos, length));
      model.erase(static_cast<size_t>(pos), static_cast<size_t>(length));
    }
    ASSERT_EQ(static_cast<int32>(model.size()), text.Length());
  }
  std::u16string all;
  text.Copy(0, text.Length(), &all);
  EXPECT_EQ(model, all);
  text.ForEachPiece([](const char16_t*, int32 count) {
    EXPECT_GT(count, 0);
    EXPECT_LE(count, ChunkedText::kMaxChunk);
  });
  std::u16string middle;
  text.Copy(100, 5000, &middle);
  EXPECT_EQ(model.substr(100, 5000), middle);
  EXPECT_EQ(model[1234], text.At(1234));
}

TEST(TextStorage, ChunkedTextRefusesRangesOutsideIt) {
  ChunkedText text;
  ASSERT_TRUE(text.Insert(0, u"abc", 3));
  EXPECT_FALSE(text.Insert(4, u"x", 1));
  EXPECT_FALSE(text.Insert(-1, u"x", 1));
  EXPECT_FALSE(text.Erase(2, 2));
  EXPECT_FALSE(text.Erase(-1, 1));
  EXPECT_EQ(0, text.At(3));
  std::u16string out;
  text.Copy(-5, 100, &out);
  EXPECT_EQ(u"abc", out);
}
