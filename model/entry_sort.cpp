#include "entry_sort.h"

#include "entry_index.h"
#include "entry_walk.h"
#include "support/parallel_parts.h"
#include "support/radix_sort.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <string_view>

namespace vt {

namespace {

constexpr std::size_t kPrefixWords = 4;

// An entry with the leading 32 bytes of its sort key as big-endian integers (zero-padded), and its
// place in the list, so that an unstable sort gives the stable order.
struct TKeyed {
  std::array<uint64_t, kPrefixWords> K;
  uint32_t Order;
  TWordObj *Entry;
};

template <std::size_t N> void LoadPrefix(TKeyed &k, const std::array<std::string_view, N> &pieces) {
  unsigned char buf[kPrefixWords * 8] = {};
  std::size_t at = 0;
  for (std::string_view p : pieces) {
    const std::size_t n = std::min(p.size(), sizeof buf - at);
    std::copy_n(p.data(), n, buf + at);
    at += n;
    if (at == sizeof buf) break;
  }
  for (std::size_t w = 0; w < kPrefixWords; ++w) {
    uint64_t v = 0;
    for (std::size_t i = 0; i < 8; ++i) v = (v << 8) | buf[w * 8 + i];
    k.K[w] = v;
  }
}

int CompareColumn(const TWordObj &a, const TWordObj &b, int column) {
  int c = 0;
  switch (column) {
  case 0:
    return CompareFullIdParts(a, b);
  case 1:
    c = a.Source().compare(b.Source());
    break;
  case 2:
    c = a.Translation.compare(b.Translation);
    break;
  default:
    return 0;
  }
  return (c > 0) - (c < 0);
}

// Sorts by (column key, then Index when indexTie), negated when descending; entries that compare
// equal keep their order.
void SortKeyed(std::vector<TWordObj *> &entries, int column, bool descending, bool indexTie) {
  const bool strings = column >= 0 && column <= 2;
  std::vector<TKeyed> keys(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    TWordObj *e = entries[i];
    TKeyed &k = keys[i];
    k.Entry = e;
    k.Order = static_cast<uint32_t>(i);
    switch (column) {
    case 0:
      LoadPrefix<5>(k, {e->Section(), "/", e->Name(), ".", e->Kind()});
      break;
    case 1:
      LoadPrefix<1>(k, {e->Source()});
      break;
    case 2:
      LoadPrefix<1>(k, {e->Translation});
      break;
    default:
      k.K = {};
      break;
    }
    // Without a string key the Index is the key, so the tie-break needs no entry access.
    if (!strings && indexTie)
      k.K[0] = static_cast<uint64_t>(static_cast<int64_t>(e->Index) + (int64_t{1} << 32));
  }
  auto compare = [&](const TKeyed &a, const TKeyed &b) {
    int c = 0;
    for (std::size_t w = 0; w < kPrefixWords && c == 0; ++w) c = (a.K[w] > b.K[w]) - (a.K[w] < b.K[w]);
    if (c == 0 && strings) {
      c = CompareColumn(*a.Entry, *b.Entry, column);
      if (c == 0 && indexTie) c = (a.Entry->Index > b.Entry->Index) - (a.Entry->Index < b.Entry->Index);
    }
    return descending ? -c : c;
  };
  auto less = [&](const TKeyed &a, const TKeyed &b) {
    const int c = compare(a, b);
    return c != 0 ? c < 0 : a.Order < b.Order;
  };
  if (std::is_sorted(keys.begin(), keys.end(), less)) return;
  std::sort(keys.begin(), keys.end(), less);
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = keys[i].Entry;
}

} // namespace

int MainListColumn(TSortColumn column) {
  switch (column) {
  case TSortColumn::Name:
    return 0;
  case TSortColumn::Original:
    return 1;
  case TSortColumn::Translated:
    return 2;
  case TSortColumn::Id:
  case TSortColumn::Section:
    break;
  }
  return 3;
}

void SortMainList(std::vector<TWordObj *> &entries, TSortColumn column, bool descending) {
  SortKeyed(entries, MainListColumn(column), descending, true);
}

bool SortMainListByRank(std::vector<TWordObj *> &entries, const std::vector<uint32_t> &rankByPos,
                        bool descending) {
  struct TRanked {
    uint64_t Key; // rank, then Index (packed below)
    TWordObj *Entry;
  };
  const std::size_t n = entries.size();
  std::vector<TRanked> keys(n);
  // The keys are gathered in parts at once: a list need not follow the entries' order in memory,
  // and each part fetches ahead so the misses overlap. A part that meets a Pos outside the ranks
  // says so.
  std::atomic<bool> outside{false};
  RunInParts(n, kMinEntryPart, [&](std::size_t, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
      if (i + kEntryFetchAhead < end) __builtin_prefetch(&entries[i + kEntryFetchAhead]->Pos);
      TWordObj *e = entries[i];
      const auto pos = static_cast<std::size_t>(e->Pos);
      if (pos >= rankByPos.size()) {
        outside.store(true, std::memory_order_relaxed);
        return;
      }
      // Index with its sign bit flipped, so unsigned order is signed order.
      keys[i] =
          TRanked{(uint64_t{rankByPos[pos]} << 32) | (static_cast<uint32_t>(e->Index) ^ 0x80000000u), e};
    }
  });
  if (outside.load()) return false;
  // The Index part takes only the bits its range needs, so the radix sort has fewer digits to
  // pass; ties keep the list's order, which the stable sort gives without a place in the key.
  uint32_t low = UINT32_MAX, high = 0;
  for (const TRanked &k : keys) {
    low = std::min(low, static_cast<uint32_t>(k.Key));
    high = std::max(high, static_cast<uint32_t>(k.Key));
  }
  const int bits = n == 0 ? 0 : std::bit_width(high - low);
  for (TRanked &k : keys) {
    const uint64_t packed = ((k.Key >> 32) << bits) | (static_cast<uint32_t>(k.Key) - low);
    k.Key = descending ? ~packed : packed;
  }
  auto less = [](const TRanked &a, const TRanked &b) { return a.Key < b.Key; };
  if (std::is_sorted(keys.begin(), keys.end(), less)) return true;
  RadixSortByKey(keys);
  for (std::size_t i = 0; i < n; ++i) entries[i] = keys[i].Entry;
  return true;
}

bool SortMainListByRank(std::vector<TWordObj *> &entries, const std::vector<uint32_t> &rankByPos,
                        bool descending, const std::vector<uint32_t> &positions) {
  struct TRanked {
    uint64_t Key; // the rank (complemented when descending)
    TWordObj *Entry;
  };
  const std::size_t n = entries.size();
  if (positions.size() != n) return false;
  std::vector<TRanked> keys(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (positions[i] >= rankByPos.size()) return false;
    const uint64_t rank = rankByPos[positions[i]];
    keys[i] = TRanked{descending ? ~rank : rank, entries[i]};
  }
  const auto less = [](const TRanked &a, const TRanked &b) { return a.Key < b.Key; };
  if (!std::is_sorted(keys.begin(), keys.end(), less)) RadixSortByKey(keys);
  // Equal ranks (equal keys) are ordered by Index, descending too when the sort is; entries with
  // the same Index keep the list's order, which the stable sorts give.
  for (std::size_t at = 0; at < n;) {
    std::size_t end = at + 1;
    while (end < n && keys[end].Key == keys[at].Key) ++end;
    if (end - at > 1)
      std::stable_sort(
          keys.begin() + static_cast<std::ptrdiff_t>(at), keys.begin() + static_cast<std::ptrdiff_t>(end),
          [descending](const TRanked &a, const TRanked &b) {
            return descending ? a.Entry->Index > b.Entry->Index : a.Entry->Index < b.Entry->Index;
          });
    at = end;
  }
  for (std::size_t i = 0; i < n; ++i) entries[i] = keys[i].Entry;
  return true;
}

void SortByFullId(std::vector<TWordObj *> &entries) {
  SortKeyed(entries, 0, false, false);
}

} // namespace vt
