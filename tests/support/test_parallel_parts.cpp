#include "support/parallel_parts.h"
#include "support/radix_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <random>
#include <thread>
#include <vector>

namespace vt {
namespace {

TEST(ParallelParts, PartsCoverTheRangeOnceInOrder) {
  for (const std::size_t n : {std::size_t{0}, std::size_t{5}, std::size_t{999}, std::size_t{100003}}) {
    const std::size_t parts = PartCount(n, 1000);
    ASSERT_GE(parts, 1u);
    ASSERT_LE(parts, std::max<std::size_t>(1, n / 1000));
    std::vector<int> visits(n, 0);
    std::vector<std::pair<std::size_t, std::size_t>> ranges(parts, {SIZE_MAX, 0});
    RunInParts(n, 1000, [&](std::size_t part, std::size_t begin, std::size_t end) {
      ranges[part] = {begin, end};
      for (std::size_t i = begin; i < end; ++i) ++visits[i];
    });
    EXPECT_TRUE(std::all_of(visits.begin(), visits.end(), [](int v) { return v == 1; })) << n;
    std::size_t next = 0;
    for (const auto &[begin, end] : ranges) {
      EXPECT_EQ(begin, next) << n;
      next = end;
    }
    EXPECT_EQ(next, n);
  }
  if (std::thread::hardware_concurrency() > 1) {
    EXPECT_GE(PartCount(100000, 1000), 2u);
  }
}

TEST(ParallelParts, AFailingPartLetsTheOthersFinishAndThrowsOnTheCaller) {
  const std::size_t n = 100000;
  ASSERT_GE(PartCount(n, 1000), 1u);
  std::vector<char> visited(n, 0);
  const std::size_t failing = PartCount(n, 1000) - 1; // a thread's part where there are two
  EXPECT_THROW(RunInParts(n, 1000,
                          [&](std::size_t part, std::size_t begin, std::size_t end) {
                            if (part == failing) throw std::bad_alloc();
                            for (std::size_t i = begin; i < end; ++i) visited[i] = 1;
                          }),
               std::bad_alloc);
  // Every other part ran to its end before the throw.
  const auto done = std::count(visited.begin(), visited.end(), 1);
  EXPECT_EQ(static_cast<std::size_t>(done), PartCount(n, 1000) == 1 ? 0 : n - n / PartCount(n, 1000));
}

struct TKeyedItem {
  std::uint64_t Key;
  std::uint32_t Order;
  bool operator==(const TKeyedItem &) const = default;
};

TEST(RadixSort, SameAsStableSortForAnyKeySpread) {
  std::mt19937_64 rng(11);
  // Few distinct keys (long runs of ties), keys in the high bits only, full 64-bit keys, and a
  // list too short for the histograms.
  const struct {
    std::size_t Count;
    std::uint64_t Mask;
    int Shift;
  } shapes[] = {{20000, 0x7, 0}, {20000, 0xFFFF, 40}, {20000, ~0ull, 0}, {300, 0xFF, 3}, {5000, 0, 0}};
  for (const auto &shape : shapes) {
    std::vector<TKeyedItem> items(shape.Count);
    for (std::uint32_t i = 0; i < items.size(); ++i) items[i] = {(rng() & shape.Mask) << shape.Shift, i};
    std::vector<TKeyedItem> expected = items;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const TKeyedItem &a, const TKeyedItem &b) { return a.Key < b.Key; });
    RadixSortByKey(items);
    EXPECT_EQ(items, expected) << shape.Count << " " << shape.Mask;
  }
}

} // namespace
} // namespace vt
