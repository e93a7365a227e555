#include "support/hash_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace vt {
namespace {

// A slot standing for a position in a list of words; the hash is deliberately weak (first letter
// only) so that chains of different keys share hashes and every match goes through the check.
struct TWordSlot {
  std::uint64_t Hash = 0;
  std::uint32_t At = UINT32_MAX;
  bool Free() const { return At == UINT32_MAX; }
  std::uint64_t HashValue() const { return Hash; }
};

std::uint64_t WeakHash(const std::string &s) {
  return s.empty() ? 0 : static_cast<unsigned char>(s[0]) % 5;
}

TEST(HashTable, FindOrInsertKeepsOneSlotPerKeyDespiteCollisions) {
  std::vector<std::string> words;
  THashTable<TWordSlot> table;
  auto add = [&](const std::string &w) {
    const auto [slot, added] =
        table.FindOrInsert(TWordSlot{WeakHash(w), static_cast<std::uint32_t>(words.size())},
                           [&](const TWordSlot &s) { return words[s.At] == w; });
    if (added) words.push_back(w);
    return std::make_pair(slot->At, added);
  };
  EXPECT_EQ(add("alpha"), std::make_pair(0u, true));
  EXPECT_EQ(add("apple"), std::make_pair(1u, true)); // same hash, other key
  EXPECT_EQ(add("alpha"), std::make_pair(0u, false));
  for (int i = 0; i < 1000; ++i) add("w" + std::to_string(i)); // forces several growths
  EXPECT_EQ(table.Count(), 1002u);
  EXPECT_LE(table.Count() * 2, table.Capacity());
  for (int i = 0; i < 1000; ++i) {
    const std::string w = "w" + std::to_string(i);
    const TWordSlot *s = table.Find(WeakHash(w), [&](const TWordSlot &x) { return words[x.At] == w; });
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(words[s->At], w);
  }
  EXPECT_EQ(table.Find(WeakHash("zzz"), [&](const TWordSlot &x) { return words[x.At] == "zzz"; }), nullptr);
}

// Random inserts (keys may repeat) and removals against a multimap: after each step every key
// gives the same set of positions, so backward-shift removal never breaks a probe run.
TEST(HashTable, RandomInsertsAndRemovalsAgreeWithAMultimap) {
  std::mt19937 rng(12345);
  THashTable<TWordSlot> table(8);
  std::multimap<std::uint32_t, std::uint32_t> reference; // key -> position
  std::vector<std::uint32_t> keyOf;                      // position -> key
  auto hashOf = [](std::uint32_t key) { return std::uint64_t{key} * 7 % 13; };
  auto positions = [&](std::uint32_t key) {
    std::vector<std::uint32_t> got;
    table.ForEachOf(hashOf(key), [&](const TWordSlot &s) {
      if (keyOf[s.At] == key) got.push_back(s.At);
      return true;
    });
    std::sort(got.begin(), got.end());
    return got;
  };
  for (int step = 0; step < 4000; ++step) {
    const std::uint32_t key = rng() % 40;
    if (rng() % 3 != 0 || reference.empty()) {
      const auto pos = static_cast<std::uint32_t>(keyOf.size());
      keyOf.push_back(key);
      table.Insert(TWordSlot{hashOf(key), pos});
      reference.emplace(key, pos);
    } else {
      auto it = reference.find(key);
      if (it == reference.end()) continue;
      const std::uint32_t pos = it->second;
      EXPECT_TRUE(table.Erase(hashOf(key), [&](const TWordSlot &s) { return s.At == pos; }));
      reference.erase(it);
    }
    if (step % 97 == 0 || step > 3900) {
      for (std::uint32_t k = 0; k < 40; ++k) {
        std::vector<std::uint32_t> want;
        for (auto [it, end] = reference.equal_range(k); it != end; ++it) want.push_back(it->second);
        std::sort(want.begin(), want.end());
        ASSERT_EQ(positions(k), want) << "key " << k << " at step " << step;
      }
    }
  }
  EXPECT_EQ(table.Count(), reference.size());
  // A key never inserted shares a hash with others but matches none of them.
  EXPECT_FALSE(table.Erase(hashOf(99), [&](const TWordSlot &s) { return keyOf[s.At] == 99; }));
}

TEST(HashTable, InsertReportsSlotsOfTheSameHashAndResetEmpties) {
  THashTable<TWordSlot> table;
  table.Insert(TWordSlot{3, 0});
  table.Insert(TWordSlot{4, 1});
  std::vector<std::uint32_t> passed;
  table.Insert(TWordSlot{3, 2}, [&](const TWordSlot &s) { passed.push_back(s.At); });
  EXPECT_EQ(passed, std::vector<std::uint32_t>{0});
  table.Reserve(100);
  EXPECT_EQ(table.Count(), 3u);
  EXPECT_NE(table.Find(4, [](const TWordSlot &s) { return s.At == 1; }), nullptr);
  table.Reset();
  EXPECT_TRUE(table.Empty());
  EXPECT_EQ(table.Find(3, [](const TWordSlot &) { return true; }), nullptr);
  const THashTable<TWordSlot> none;
  EXPECT_EQ(none.Find(3, [](const TWordSlot &) { return true; }), nullptr);
}

} // namespace
} // namespace vt
