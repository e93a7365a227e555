#pragma once
// Scanning text eight bytes at a time: a word of eight bytes is tested for bytes of interest at
// once, and only a word that holds one is looked at byte by byte.
#include <cstdint>
#include <cstring>

namespace vt {

inline constexpr std::uint64_t kByteOnes = 0x0101010101010101ull;  // 0x01 in every byte
inline constexpr std::uint64_t kByteHighs = 0x8080808080808080ull; // the high bit of every byte

inline std::uint64_t LoadWord(const char *at) noexcept {
  std::uint64_t w;
  std::memcpy(&w, at, sizeof w);
  return w;
}

// The high bit of the bytes of w equal to byte: exact for the lowest such byte; bytes above it
// may be marked falsely. Zero exactly when no byte is equal.
constexpr std::uint64_t EqualByteMarks(std::uint64_t w, unsigned char byte) noexcept {
  const std::uint64_t x = w ^ (kByteOnes * byte);
  return (x - kByteOnes) & ~x & kByteHighs;
}

// The same for the bytes below limit (at most 0x80).
constexpr std::uint64_t BelowByteMarks(std::uint64_t w, unsigned char limit) noexcept {
  return (w - kByteOnes * limit) & ~w & kByteHighs;
}

// The first line break (LF or CR) at or after at, or end.
const char *FindLineBreak(const char *at, const char *end) noexcept;

} // namespace vt
