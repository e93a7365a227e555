#pragma once
// The one open-addressing hash table of the system. The caller's slot type carries the hash and
// whatever the slot stands for (usually a position in a list the caller owns), so the table keeps
// no keys of its own: every look-up confirms candidates with the caller's match function, and a
// collision of hashes never changes a result.
//
// A slot type provides: a default-constructed value that is free, `bool Free() const` and
// `std::uint64_t HashValue() const`. Linear probing over a power-of-two capacity kept at most half
// full; removal shifts later slots back, so probe runs never hold tombstones.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vt {

// The usual slot: a hash and the position in the caller's list that it stands for.
struct TPositionSlot {
  std::uint64_t Hash = 0;
  std::uint32_t At = UINT32_MAX;
  bool Free() const noexcept { return At == UINT32_MAX; }
  std::uint64_t HashValue() const noexcept { return Hash; }
};

template <class TSlot> class THashTable {
public:
  THashTable() = default;
  explicit THashTable(std::size_t expected) { Reset(expected); }

  // Empties the table and sizes it for expected entries.
  void Reset(std::size_t expected = 0) {
    FSlots.assign(CapacityFor(expected), TSlot{});
    FShift = 64 - std::countr_zero(FSlots.size());
    FUsed = 0;
  }
  // Grows (keeping every entry) so that expected entries fit without another growth.
  void Reserve(std::size_t expected) {
    if (CapacityFor(expected) > FSlots.size()) Rehash(CapacityFor(expected));
  }

  std::size_t Count() const noexcept { return FUsed; }
  bool Empty() const noexcept { return FUsed == 0; }
  std::size_t Capacity() const noexcept { return FSlots.size(); }

  // The first slot of that hash (in probe order) for which match(slot) holds, or nullptr.
  template <class Match> TSlot *Find(std::uint64_t hash, Match &&match) {
    return const_cast<TSlot *>(std::as_const(*this).Find(hash, match));
  }
  template <class Match> const TSlot *Find(std::uint64_t hash, Match &&match) const {
    if (FSlots.empty()) return nullptr;
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t i = Home(hash);; i = (i + 1) & mask) {
      const TSlot &s = FSlots[i];
      if (s.Free()) return nullptr;
      if (s.HashValue() == hash && match(s)) return &s;
    }
  }

  // Asks for the cache line of the first slot of that hash ahead of a look-up (long lists of
  // look-ups overlap their memory waits this way).
  void Prefetch(std::uint64_t hash) const noexcept {
    if (!FSlots.empty()) __builtin_prefetch(&FSlots[Home(hash)]);
  }

  // Calls visit(slot) for every slot of that hash, in probe order, until visit returns false.
  template <class Visit> void ForEachOf(std::uint64_t hash, Visit &&visit) const {
    Find(hash, [&](const TSlot &s) { return !visit(s); });
  }

  // Adds slot without looking for an equal one: several slots may share a key.
  TSlot &Insert(const TSlot &slot) {
    return Insert(slot, [](const TSlot &) {});
  }
  // The same; passed(other) is called for each slot of the same hash met on the way.
  template <class Passed> TSlot &Insert(const TSlot &slot, Passed &&passed) {
    GrowFor(FUsed + 1);
    const std::size_t mask = FSlots.size() - 1;
    const std::uint64_t hash = slot.HashValue();
    std::size_t i = Home(hash);
    for (; !FSlots[i].Free(); i = (i + 1) & mask)
      if (FSlots[i].HashValue() == hash) passed(std::as_const(FSlots[i]));
    FSlots[i] = slot;
    ++FUsed;
    return FSlots[i];
  }

  // The slot of slot's hash for which match holds; when there is none, slot is added.
  // second tells whether it was added.
  template <class Match> std::pair<TSlot *, bool> FindOrInsert(const TSlot &slot, Match &&match) {
    GrowFor(FUsed + 1);
    const std::size_t mask = FSlots.size() - 1;
    const std::uint64_t hash = slot.HashValue();
    std::size_t i = Home(hash);
    for (; !FSlots[i].Free(); i = (i + 1) & mask)
      if (FSlots[i].HashValue() == hash && match(std::as_const(FSlots[i]))) return {&FSlots[i], false};
    FSlots[i] = slot;
    ++FUsed;
    return {&FSlots[i], true};
  }

  // Removes a slot returned by Find or FindOrInsert (pointers to other slots may move).
  void Erase(TSlot *slot) {
    const std::size_t mask = FSlots.size() - 1;
    auto i = static_cast<std::size_t>(slot - FSlots.data());
    for (std::size_t j = i;;) {
      j = (j + 1) & mask;
      if (FSlots[j].Free()) break;
      const std::size_t k = Home(FSlots[j].HashValue());
      // Slot j stays when its home lies cyclically in (i, j]; otherwise it moves into the hole.
      const bool stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
      if (stays) continue;
      FSlots[i] = FSlots[j];
      i = j;
    }
    FSlots[i] = TSlot{};
    --FUsed;
  }
  // Removes the first slot of that hash for which match holds; false when there is none.
  template <class Match> bool Erase(std::uint64_t hash, Match &&match) {
    TSlot *s = Find(hash, match);
    if (!s) return false;
    Erase(s);
    return true;
  }

private:
  static std::size_t CapacityFor(std::size_t count) {
    std::size_t cap = 16;
    while (cap < count * 2) cap <<= 1;
    return cap;
  }

  std::size_t Home(std::uint64_t hash) const noexcept {
    // Fibonacci hashing: the top bits of the product depend on every bit of the hash.
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> FShift);
  }

  void GrowFor(std::size_t count) {
    if (FSlots.empty())
      Reset(count);
    else if (count * 2 > FSlots.size())
      Rehash(FSlots.size() * 2);
  }

  void Rehash(std::size_t capacity) {
    std::vector<TSlot> old = std::move(FSlots);
    FSlots.assign(capacity, TSlot{});
    FShift = 64 - std::countr_zero(capacity);
    const std::size_t mask = capacity - 1;
    for (const TSlot &s : old) {
      if (s.Free()) continue;
      std::size_t i = Home(s.HashValue());
      while (!FSlots[i].Free()) i = (i + 1) & mask;
      FSlots[i] = s;
    }
  }

  std::vector<TSlot> FSlots;
  int FShift = 64;
  std::size_t FUsed = 0;
};

} // namespace vt
