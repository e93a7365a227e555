#pragma once
// Measurements of a project for the administrator: the word frequency table of the sources, the
// byte counts of sources and translations, a dump of the stored sources, and a test whether a
// 32-bit hash of the sources is free of collisions.
#include "model/word_list.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vt {

// One line per distinct word (without regard to case; the form met first is shown): the count, TAB,
// the word; lines sorted as text without regard to case, CR LF after each.
std::string WordFrequencyList(std::span<TWordObj *const> list);

struct TProjectStatistics {
  std::uint64_t RawChars = 0; // bytes of the visible entries' stored sources
  std::uint64_t LngChars = 0; // bytes of their stored translations, status letters included
};
TProjectStatistics ProjectStatistics(const TWordList &project);
// "R raw chars ,   L lng chars", the window caption of "Statistics".
std::string StatisticsCaption(const TProjectStatistics &stats);

// The non-empty stored sources of the visible entries of list, CR LF after each.
std::string DumpRawStrings(std::span<TWordObj *const> list);

// The 32-bit MurmurHash2 of the bytes (multiplier 0x5BD1E995, shift 24, blocks read little-endian).
std::uint32_t MurmurHash2(std::string_view bytes, std::uint32_t seed);

constexpr std::uint32_t kHashSeedBase = 0x9747B28C;
// The seed of the collision test from the text typed: a decimal 32-bit integer plus 0x9747B28C,
// wrapping at 32 bits. None when the text is no such integer (error says so).
std::optional<std::uint32_t> HashSeedFromText(std::string_view text, std::string *error = nullptr);
// "'TEXT' is not a valid integer value".
std::string InvalidIntegerText(std::string_view text);
// The hash as 8 upper-case hexadecimal digits.
std::string HashText(std::uint32_t hash);

struct THashTestResult {
  bool Collision = false;
  std::uint32_t Hash = 0;           // the hash seen twice
  const TWordObj *First = nullptr;  // the entry that had it first
  const TWordObj *Second = nullptr; // the entry where the test stopped
  std::size_t Hashed = 0;           // entries hashed (up to and including Second)
};
// Hashes the non-empty sources of the visible entries of list in order and stops at the first hash
// seen before. each (when given) is told every entry with its hash, in order.
THashTestResult HashCollisionTest(std::span<TWordObj *const> list, std::uint32_t seed,
                                  const std::function<void(const TWordObj &, std::uint32_t)> &each = {});

} // namespace vt
