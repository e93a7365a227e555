#include "entry_index.h"

#include "entry_sort.h"
#include "support/ascii_case.h"
#include "support/hash_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>

namespace vt {

namespace {

constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

// Walks a source text lower-cased with its first "&" left out.
class TAccelCursor {
public:
  explicit TAccelCursor(std::string_view s) : FText(s), FSkip(s.find('&')) {}
  bool Done() const { return FPos >= FText.size() || (FPos == FSkip && FPos + 1 >= FText.size()); }
  char Next() {
    if (FPos == FSkip) ++FPos;
    return LowerAscii(FText[FPos++]);
  }
  std::size_t Length() const { return FText.size() - (FSkip == std::string_view::npos ? 0 : 1); }

private:
  std::string_view FText;
  std::size_t FSkip;
  std::size_t FPos = 0;
};

// Compares the concatenations of two lists of pieces, ordinal on unsigned bytes.
template <std::size_t N>
int CompareConcat(const std::array<std::string_view, N> &a, const std::array<std::string_view, N> &b) {
  std::size_t ia = 0, oa = 0, ib = 0, ob = 0;
  for (;;) {
    while (ia < N && oa == a[ia].size()) ++ia, oa = 0;
    while (ib < N && ob == b[ib].size()) ++ib, ob = 0;
    if (ia == N || ib == N) return (ia == N ? 0 : 1) - (ib == N ? 0 : 1);
    const std::size_t n = std::min(a[ia].size() - oa, b[ib].size() - ob);
    const int c = std::memcmp(a[ia].data() + oa, b[ib].data() + ob, n);
    if (c != 0) return c < 0 ? -1 : 1;
    oa += n;
    ob += n;
  }
}

uint64_t HashBytes(std::string_view s) {
  return std::hash<std::string_view>{}(s);
}

} // namespace

bool SameIgnoringAccel(std::string_view a, std::string_view b) {
  TAccelCursor ca(a), cb(b);
  if (ca.Length() != cb.Length()) return false;
  while (!ca.Done() && !cb.Done())
    if (ca.Next() != cb.Next()) return false;
  return ca.Done() && cb.Done();
}

void NormalizeAccelKey(std::string_view source, std::string &out) {
  const std::size_t amp = source.find('&');
  if (amp == std::string_view::npos) {
    LowerAsciiInto(source, out);
    return;
  }
  LowerAsciiInto(source.substr(0, amp), out);
  // The part after the "&" joins the lowered head (one plain loop, as LowerAsciiInto).
  const std::size_t head = out.size();
  out.resize(source.size() - 1);
  for (std::size_t i = amp + 1; i < source.size(); ++i) out[head + i - amp - 1] = LowerAscii(source[i]);
}

bool FullIdEquals(std::string_view text, std::string_view section, std::string_view name,
                  std::string_view kind) {
  if (text.size() != section.size() + name.size() + kind.size() + 2) return false;
  std::size_t at = 0;
  auto part = [&](std::string_view p) {
    const bool same = text.compare(at, p.size(), p) == 0;
    at += p.size();
    return same;
  };
  return part(section) && part("/") && part(name) && part(".") && part(kind);
}

bool ObjectIdEquals(std::string_view text, std::string_view section, std::string_view name) {
  return text.size() == section.size() + name.size() + 1 && text.compare(0, section.size(), section) == 0 &&
         text[section.size()] == '/' && text.compare(section.size() + 1, name.size(), name) == 0;
}

int CompareFullIdParts(const TWordObj &a, const TWordObj &b) {
  if (SameBytes(a.Section(), b.Section())) {
    if (SameBytes(a.Name(), b.Name())) {
      const int c = a.Kind().compare(b.Kind());
      return (c > 0) - (c < 0);
    }
    return CompareConcat<3>({a.Name(), ".", a.Kind()}, {b.Name(), ".", b.Kind()});
  }
  return CompareConcat<5>({a.Section(), "/", a.Name(), ".", a.Kind()},
                          {b.Section(), "/", b.Name(), ".", b.Kind()});
}

bool SameObjectId(const TWordObj &a, const TWordObj &b) {
  if (a.Section() == b.Section()) return a.Name() == b.Name();
  return a.Section().size() + a.Name().size() == b.Section().size() + b.Name().size() &&
         CompareConcat<3>({a.Section(), "/", a.Name()}, {b.Section(), "/", b.Name()}) == 0;
}

bool SameFullId(const TWordObj &a, const TWordObj &b) {
  if (a.Section() == b.Section() && a.Name() == b.Name()) return a.Kind() == b.Kind();
  return a.Section().size() + a.Name().size() + a.Kind().size() ==
             b.Section().size() + b.Name().size() + b.Kind().size() &&
         CompareFullIdParts(a, b) == 0;
}

// Hash of a key -> chain of positions in Items. One slot per distinct hash in the shared hash
// table; the positions of one chain are linked both ways so that an entry leaves in constant time.
class TEntryIndex::TChains {
public:
  bool Valid = false;
  std::size_t Count = 0; // positions [0, Count) are indexed

  void Reset(std::size_t positions) {
    FHeads.Reset(positions);
    FNext.assign(positions, kNone);
    FPrev.assign(positions, kNone);
    FIn.assign(positions, 0);
  }

  void Insert(uint64_t hash, uint32_t pos) {
    if (pos >= FNext.size()) {
      const std::size_t n = std::max<std::size_t>(pos + 1, FNext.size() * 3 / 2);
      FNext.resize(n, kNone);
      FPrev.resize(n, kNone);
      FIn.resize(n, 0);
    }
    if (FIn[pos]) return;
    FIn[pos] = 1;
    FNext[pos] = kNone;
    const auto [s, added] = FHeads.FindOrInsert(TSlot{hash, pos, pos}, AnySlot);
    if (added) {
      FPrev[pos] = kNone;
    } else {
      FPrev[pos] = s->Tail;
      FNext[s->Tail] = pos;
      s->Tail = pos;
    }
  }

  void Remove(uint64_t hash, uint32_t pos) {
    if (pos >= FIn.size() || !FIn[pos]) return;
    TSlot *s = FHeads.Find(hash, AnySlot);
    if (!s) return;
    FIn[pos] = 0;
    const uint32_t prev = FPrev[pos], next = FNext[pos];
    (prev != kNone ? FNext[prev] : s->Head) = next;
    (next != kNone ? FPrev[next] : s->Tail) = prev;
    if (s->Head == kNone) FHeads.Erase(s);
  }

  uint32_t Head(uint64_t hash) const {
    const TSlot *s = FHeads.Find(hash, AnySlot);
    return s ? s->Head : kNone;
  }
  uint32_t Next(uint32_t pos) const { return FNext[pos]; }

private:
  struct TSlot {
    uint64_t Hash = 0;
    uint32_t Head = kNone;
    uint32_t Tail = kNone;
    bool Free() const { return Head == kNone; }
    uint64_t HashValue() const { return Hash; }
  };
  // One slot per hash: the slot of a hash is its chain.
  static bool AnySlot(const TSlot &) { return true; }

  THashTable<TSlot> FHeads;
  std::vector<uint32_t> FNext, FPrev;
  std::vector<uint8_t> FIn;
};

TEntryIndex::TEntryIndex(const TReleaseList<TWordObj> &items) : FItems(items), FTables(kKeyKinds) {}
TEntryIndex::~TEntryIndex() = default;

void TEntryIndex::ForgetNumbers() {
  for (TNumbers *n : {&FGroups, &FFullIdRanks, &FSourceRanks}) {
    n->Count = SIZE_MAX;
    n->Values = {};
  }
}

void TEntryIndex::EntryAppended() {
  // Tables that covered every earlier entry stay valid; Sync adds the new one.
  const std::size_t before = FItems.Count() - 1;
  for (TChains &t : FTables)
    if (t.Valid && t.Count != before) t.Valid = false;
  FFullIdRanks.Count = FSourceRanks.Count = SIZE_MAX;
}

const std::vector<uint32_t> &TEntryIndex::SourceGroups() {
  const std::size_t n = FItems.Count();
  if (FGroups.Count == n) return FGroups.Values;
  // One pass over Items with a table of (hash, first position of the group).
  THashTable<TPositionSlot> firsts(n);
  std::vector<uint32_t> &groups = FGroups.Values;
  groups.assign(n, 0);
  uint32_t next = 0;
  for (std::size_t p = 0; p < n; ++p) {
    TWordObj *e = FItems[p];
    e->Pos = static_cast<int32_t>(p);
    NormalizeAccelKey(e->Source(), FScratch);
    const auto [s, added] = firsts.FindOrInsert(
        TPositionSlot{HashBytes(FScratch), static_cast<uint32_t>(p)}, [&](const TPositionSlot &other) {
          return SameIgnoringAccel(FItems[other.At]->Source(), e->Source());
        });
    groups[p] = added ? next++ : groups[s->At];
  }
  FGroups.Count = n;
  return groups;
}

void TEntryIndex::MakeRanks(TNumbers &numbers, TSortColumn column) {
  const std::size_t n = FItems.Count();
  if (numbers.Count == n) return;
  std::vector<TWordObj *> sorted(FItems.begin(), FItems.end());
  for (std::size_t p = 0; p < n; ++p) sorted[p]->Pos = static_cast<int32_t>(p);
  SortMainList(sorted, column, false);
  numbers.Values.assign(n, 0);
  uint32_t rank = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0) {
      const TWordObj &a = *sorted[i - 1], &b = *sorted[i];
      const bool same = column == TSortColumn::Name ? SameFullId(a, b) : a.Source() == b.Source();
      if (!same) ++rank;
    }
    numbers.Values[static_cast<std::size_t>(sorted[i]->Pos)] = rank;
  }
  numbers.Count = n;
}

const std::vector<uint32_t> &TEntryIndex::FullIdRanks() {
  MakeRanks(FFullIdRanks, TSortColumn::Name);
  return FFullIdRanks.Values;
}

const std::vector<uint32_t> &TEntryIndex::SourceRanks() {
  MakeRanks(FSourceRanks, TSortColumn::Original);
  return FSourceRanks.Values;
}

void TEntryIndex::Invalidate() {
  ForgetNumbers();
  for (TChains &t : FTables) {
    if (FItems.Empty())
      t = TChains{};
    else
      t.Valid = false;
  }
}

TEntryIndex::TChains &TEntryIndex::Table(TKeyKind kind) {
  return FTables[kind];
}

uint64_t TEntryIndex::HashOf(TKeyKind kind, const TWordObj &e) {
  FScratch.clear();
  switch (kind) {
  case kFullId:
    FScratch.append(e.Section()).append("/").append(e.Name()).append(".").append(e.Kind());
    break;
  case kObjectId:
    FScratch.append(e.Section()).append("/").append(e.Name());
    break;
  case kValue:
    FScratch.append(e.Section()).append("\x01", 1).append(e.Kind()).append("\x01", 1).append(e.Source());
    break;
  case kSameSource:
    NormalizeAccelKey(e.Source(), FScratch);
    break;
  case kKeyKinds:
    break;
  }
  return HashBytes(FScratch);
}

bool TEntryIndex::Indexed(const TWordObj &entry) const {
  return entry.Pos >= 0 && static_cast<std::size_t>(entry.Pos) < FItems.Count() &&
         FItems[entry.Pos] == &entry;
}

void TEntryIndex::Build(TKeyKind kind) {
  TChains &t = Table(kind);
  const std::size_t n = FItems.Count();
  t.Reset(n);
  for (std::size_t p = 0; p < n; ++p) {
    TWordObj *e = FItems[p];
    e->Pos = static_cast<int32_t>(p);
    t.Insert(HashOf(kind, *e), static_cast<uint32_t>(p));
  }
  t.Count = n;
  t.Valid = true;
}

void TEntryIndex::Sync(TKeyKind kind) {
  TChains &t = Table(kind);
  const std::size_t n = FItems.Count();
  if (t.Valid && n == t.Count) return;
  if (t.Valid && n > t.Count) {
    // Entries appended since the last look-up (AddEntry) join without a rebuild.
    bool appended = true;
    for (std::size_t p = t.Count; p < n && appended; ++p)
      appended = FItems[p]->Pos == static_cast<int32_t>(p);
    if (appended) {
      for (std::size_t p = t.Count; p < n; ++p) t.Insert(HashOf(kind, *FItems[p]), static_cast<uint32_t>(p));
      t.Count = n;
      return;
    }
  }
  Build(kind);
}

void TEntryIndex::EntryKeyChanging(TWordObj &entry) {
  ForgetNumbers();
  if (!Indexed(entry)) return;
  const auto pos = static_cast<uint32_t>(entry.Pos);
  for (int k = 0; k < kKeyKinds; ++k) {
    TChains &t = FTables[k];
    if (t.Valid && pos < t.Count) t.Remove(HashOf(static_cast<TKeyKind>(k), entry), pos);
  }
}

void TEntryIndex::EntryKeyChanged(TWordObj &entry) {
  if (!Indexed(entry)) return;
  const auto pos = static_cast<uint32_t>(entry.Pos);
  for (int k = 0; k < kKeyKinds; ++k) {
    TChains &t = FTables[k];
    if (t.Valid && pos < t.Count) t.Insert(HashOf(static_cast<TKeyKind>(k), entry), pos);
  }
}

template <class Accept> TWordObj *TEntryIndex::First(TKeyKind kind, uint64_t hash, Accept &&accept) {
  Sync(kind);
  const TChains &t = Table(kind);
  uint32_t best = kNone;
  for (uint32_t p = t.Head(hash); p != kNone; p = t.Next(p))
    if (p < best && accept(*FItems[p])) best = p;
  return best == kNone ? nullptr : FItems[best];
}

template <class Accept>
void TEntryIndex::Collect(TKeyKind kind, uint64_t hash, Accept &&accept, std::vector<TWordObj *> &out) {
  out.clear();
  Sync(kind);
  const TChains &t = Table(kind);
  std::vector<uint32_t> positions;
  for (uint32_t p = t.Head(hash); p != kNone; p = t.Next(p))
    if (accept(*FItems[p])) positions.push_back(p);
  if (!std::is_sorted(positions.begin(), positions.end())) std::sort(positions.begin(), positions.end());
  out.reserve(positions.size());
  for (uint32_t p : positions) out.push_back(FItems[p]);
}

TWordObj *TEntryIndex::FirstByFullId(std::string_view fullId) {
  return First(kFullId, HashBytes(fullId),
               [&](const TWordObj &e) { return FullIdEquals(fullId, e.Section(), e.Name(), e.Kind()); });
}

TWordObj *TEntryIndex::FirstByKey(std::string_view section, std::string_view kind, std::string_view name) {
  FScratch.clear();
  FScratch.append(section).append("/").append(name).append(".").append(kind);
  return First(kFullId, HashBytes(FScratch), [&](const TWordObj &e) {
    return e.Section() == section && e.Kind() == kind && e.Name() == name;
  });
}

TWordObj *TEntryIndex::FirstByValue(std::string_view section, std::string_view kind,
                                    std::string_view source) {
  FScratch.clear();
  FScratch.append(section).append("\x01", 1).append(kind).append("\x01", 1).append(source);
  return First(kValue, HashBytes(FScratch), [&](const TWordObj &e) {
    return e.Section() == section && e.Kind() == kind && e.Source() == source;
  });
}

void TEntryIndex::ByObjectId(std::string_view objectId, std::vector<TWordObj *> &out) {
  Collect(
      kObjectId, HashBytes(objectId),
      [&](const TWordObj &e) { return ObjectIdEquals(objectId, e.Section(), e.Name()); }, out);
}

void TEntryIndex::BySameSource(std::string_view source, std::vector<TWordObj *> &out) {
  NormalizeAccelKey(source, FScratch);
  Collect(
      kSameSource, HashBytes(FScratch),
      [&](const TWordObj &e) { return SameIgnoringAccel(source, e.Source()); }, out);
}

} // namespace vt
