#include "headless/database/ObjectTable.h"
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {
HostObject* Fake(uint32_t v) { return reinterpret_cast<HostObject*>(static_cast<uintptr_t>(v) * 16 + 16); }

std::vector<uint32_t> Keys(const ObjectTable& t) {
  std::vector<uint32_t> keys;
  for (const auto& e : t) {
    EXPECT_EQ(Fake(UIDValue(e.first)), e.second);
    keys.push_back(UIDValue(e.first));
  }
  return keys;
}
}  // namespace

// The table against an ordered map under random inserts and erases, with
// UIDs both in sequence and far beyond the count.
TEST(ObjectTable, AgreesWithAnOrderedMap) {
  std::mt19937 rng(7);
  ObjectTable table;
  std::map<uint32_t, HostObject*> model;
  uint32_t next = 1;
  for (int step = 0; step < 20000; ++step) {
    const int what = static_cast<int>(rng() % 10);
    uint32_t v;
    if (what < 6) v = next++;
    else if (what < 7) v = 100000 + static_cast<uint32_t>(rng() % 4000000000u);
    else v = model.empty() ? 1 : std::next(model.begin(), static_cast<long>(rng() % model.size()))->first;
    if (what < 7) {
      EXPECT_EQ(model.emplace(v, Fake(v)).second, table.Insert(UID{v}, Fake(v)));
    } else {
      EXPECT_EQ(model.count(v) ? Fake(v) : nullptr, table.Erase(UID{v}));
      model.erase(v);
    }
    EXPECT_EQ(model.count(v) ? Fake(v) : nullptr, table.Find(UID{v}));
  }
  std::vector<uint32_t> expected;
  for (const auto& e : model) expected.push_back(e.first);
  EXPECT_EQ(expected, Keys(table));
  EXPECT_EQ(model.size(), table.size());
}

TEST(ObjectTable, AHugeUIDCostsNoMemoryInProportionAndMovesInWhenReached) {
  ObjectTable table;
  ASSERT_TRUE(table.Insert(UID{0xFFFFFFF0u}, Fake(0xFFFFFFF0u)));
  ASSERT_TRUE(table.Insert(UID{6000}, Fake(6000)));
  EXPECT_LE(table.DenseSlots(), 4096u);
  EXPECT_FALSE(table.Insert(UID{6000}, Fake(6000)));
  // Filling in sequence grows the array past 6000, which then lives in it.
  for (uint32_t v = 1; v < 5000; ++v) ASSERT_TRUE(table.Insert(UID{v}, Fake(v)));
  EXPECT_GT(table.DenseSlots(), 6000u);
  EXPECT_LT(table.DenseSlots(), 0x10000000u);
  EXPECT_EQ(Fake(6000), table.Find(UID{6000}));
  EXPECT_EQ(Fake(0xFFFFFFF0u), table.Find(UID{0xFFFFFFF0u}));
  const std::vector<uint32_t> keys = Keys(table);
  ASSERT_EQ(5001u, keys.size());
  EXPECT_EQ(6000u, keys[4999]);
  EXPECT_EQ(0xFFFFFFF0u, keys.back());
  EXPECT_EQ(nullptr, table.Find(UID{5000}));
  EXPECT_EQ(nullptr, table.Erase(UID{5000}));
  EXPECT_EQ(nullptr, table.Erase(UID{0xFFFFFFF1u}));
  EXPECT_EQ(5001u, table.size());
}

TEST(ObjectTable, MovedFromIsEmpty) {
  ObjectTable table;
  table.Insert(UID{3}, Fake(3));
  table.Insert(UID{0x80000000u}, Fake(0x80000000u));
  ObjectTable moved(std::move(table));
  EXPECT_EQ(0u, table.size());
  EXPECT_TRUE(Keys(table).empty());
  EXPECT_EQ(nullptr, table.Find(UID{3}));
  EXPECT_EQ((std::vector<uint32_t>{3, 0x80000000u}), Keys(moved));
}
