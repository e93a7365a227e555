#include "entry_sort.h"

#include "entry_index.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace vt {

namespace {

struct TKeyed {
  uint64_t K0;
  uint64_t K1;
  TWordObj *Entry;
};

// The first 16 bytes of the concatenated pieces, big-endian, zero-padded: comparing these integers
// orders like the strings whenever they differ.
template <std::size_t N> void LoadPrefix(TKeyed &k, const std::array<std::string_view, N> &pieces) {
  unsigned char buf[16] = {};
  std::size_t at = 0;
  for (std::string_view p : pieces) {
    const std::size_t n = std::min(p.size(), sizeof buf - at);
    for (std::size_t i = 0; i < n; ++i) buf[at + i] = static_cast<unsigned char>(p[i]);
    at += n;
    if (at == sizeof buf) break;
  }
  k.K0 = k.K1 = 0;
  for (int i = 0; i < 8; ++i) k.K0 = (k.K0 << 8) | buf[i];
  for (int i = 8; i < 16; ++i) k.K1 = (k.K1 << 8) | buf[i];
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

int Sign3(uint64_t a, uint64_t b) {
  return (a > b) - (a < b);
}

// Sorts entries by (column key, then Index when indexTie), negated when descending; stable.
void SortKeyed(std::vector<TWordObj *> &entries, int column, bool descending, bool indexTie) {
  std::vector<TKeyed> keys(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    TWordObj *e = entries[i];
    TKeyed &k = keys[i];
    k.Entry = e;
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
      k.K0 = k.K1 = 0;
      break;
    }
  }
  auto compare = [&](const TKeyed &a, const TKeyed &b) {
    int c = Sign3(a.K0, b.K0);
    if (c == 0) c = Sign3(a.K1, b.K1);
    if (c == 0) c = CompareColumn(*a.Entry, *b.Entry, column);
    if (c == 0 && indexTie) c = (a.Entry->Index > b.Entry->Index) - (a.Entry->Index < b.Entry->Index);
    return descending ? -c : c;
  };
  std::stable_sort(keys.begin(), keys.end(),
                   [&](const TKeyed &a, const TKeyed &b) { return compare(a, b) < 0; });
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = keys[i].Entry;
}

} // namespace

void SortMainList(std::vector<TWordObj *> &entries, int column, bool descending) {
  if (column < 0 || column > 2) {
    // Index alone: no strings involved.
    if (descending)
      std::stable_sort(entries.begin(), entries.end(),
                       [](const TWordObj *a, const TWordObj *b) { return a->Index > b->Index; });
    else
      std::stable_sort(entries.begin(), entries.end(),
                       [](const TWordObj *a, const TWordObj *b) { return a->Index < b->Index; });
    return;
  }
  SortKeyed(entries, column, descending, true);
}

void SortByFullId(std::vector<TWordObj *> &entries) {
  SortKeyed(entries, 0, false, false);
}

} // namespace vt
