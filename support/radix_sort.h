#pragma once
// A stable sort of records by an unsigned 64-bit Key member, least significant digit first: items
// with equal keys keep their order, so the result is that of std::stable_sort by Key. Only the
// digits in which the keys differ get a pass, so keys packed from a few small numbers sort in a
// few linear passes.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vt {

template <class T> void RadixSortByKey(std::vector<T> &items) {
  constexpr unsigned kDigitBits = 11;
  constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
  constexpr unsigned kDigits = (64 + kDigitBits - 1) / kDigitBits;
  const std::size_t n = items.size();
  if (n < 2) return;
  if (n < 512) { // the histograms would cost more than the sort
    std::stable_sort(items.begin(), items.end(), [](const T &a, const T &b) { return a.Key < b.Key; });
    return;
  }
  std::uint64_t differ = 0;
  for (const T &t : items) differ |= t.Key ^ items[0].Key;
  if (differ == 0) return;
  std::vector<std::array<std::size_t, kBuckets>> counts;
  std::vector<unsigned> passes;
  for (unsigned d = 0; d < kDigits; ++d)
    if ((differ >> (d * kDigitBits)) & (kBuckets - 1)) passes.push_back(d);
  counts.assign(passes.size(), {});
  for (const T &t : items)
    for (std::size_t p = 0; p < passes.size(); ++p)
      ++counts[p][(t.Key >> (passes[p] * kDigitBits)) & (kBuckets - 1)];
  std::vector<T> other(n);
  std::vector<T> *from = &items, *to = &other;
  for (std::size_t p = 0; p < passes.size(); ++p) {
    std::array<std::size_t, kBuckets> &at = counts[p];
    std::size_t sum = 0;
    for (std::size_t &c : at) sum += std::exchange(c, sum);
    const unsigned shift = passes[p] * kDigitBits;
    for (const T &t : *from) (*to)[at[(t.Key >> shift) & (kBuckets - 1)]++] = t;
    std::swap(from, to);
  }
  if (from != &items) items.swap(other);
}

} // namespace vt
