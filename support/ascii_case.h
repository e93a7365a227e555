#pragma once
// ASCII-only case folding, as every comparison of keys, kinds and sources in the system uses it:
// A-Z become a-z, every other byte or code unit (UTF-8 sequences included) stays as it is.
#include <cstdint>
#include <string>
#include <string_view>

namespace vt {

constexpr char LowerAscii(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
constexpr char16_t LowerAscii(char16_t c) noexcept {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}
constexpr char UpperAscii(char c) noexcept {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}
std::string UpperAscii(std::string_view s);
std::string LowerAscii(std::string_view s);
std::u16string LowerAscii(std::u16string_view s);
// Lower-cases s into out (reusing its storage).
void LowerAsciiInto(std::string_view s, std::string &out);

// Equality without regard to ASCII case.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;
// Whether text starts with prefix, without regard to ASCII case.
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) noexcept;
// Whether text, lower-cased, starts with / contains lowered (already lower-case).
bool StartsWithLowered(std::string_view text, std::string_view lowered) noexcept;
bool ContainsLowered(std::string_view text, std::string_view lowered) noexcept;
// ContainsLowered that also tells, in the same pass, whether text holds the byte note anywhere;
// noted is only sure to be complete when the result is false (a match may end the pass early).
bool ContainsLoweredNoting(std::string_view text, std::string_view lowered, char note, bool &noted) noexcept;

// The ASCII letters of eight bytes lower-cased at once; other bytes (also those >= 0x80) unchanged.
constexpr std::uint64_t LowerAsciiWord(std::uint64_t x) noexcept {
  constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  const std::uint64_t low7 = x & ~highs;
  const std::uint64_t geA = low7 + ones * (0x80 - 'A');
  const std::uint64_t gtZ = low7 + ones * (0x80 - 'Z' - 1);
  const std::uint64_t upper = (geA ^ gtZ) & ~x & highs;
  return x | (upper >> 2);
}

// A 64-bit hash of the case-folded bytes, eight at a time; texts equal without regard to ASCII
// case hash alike.
std::uint64_t HashIgnoringAsciiCase(std::string_view s) noexcept;

} // namespace vt
