#include "support/ascii_case.h"

#include <cstring>

namespace vt {

std::string LowerAscii(std::string_view s) {
  std::string out;
  LowerAsciiInto(s, out);
  return out;
}

std::u16string LowerAscii(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t &c : out) c = LowerAscii(c);
  return out;
}

void LowerAsciiInto(std::string_view s, std::string &out) {
  out.resize(s.size());
  // A plain loop without branches, which the compiler vectorizes.
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    out[i] = static_cast<unsigned char>(c - 'A') < 26 ? static_cast<char>(c | 0x20) : c;
  }
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && StartsWithIgnoringAsciiCase(a, b);
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) noexcept {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  return true;
}

bool StartsWithLowered(std::string_view text, std::string_view lowered) noexcept {
  if (text.size() < lowered.size()) return false;
  for (std::size_t i = 0; i < lowered.size(); ++i)
    if (LowerAscii(text[i]) != lowered[i]) return false;
  return true;
}

bool ContainsLowered(std::string_view text, std::string_view lowered) noexcept {
  if (lowered.empty()) return true;
  if (text.size() < lowered.size()) return false;
  const char first = lowered[0];
  const std::size_t last = text.size() - lowered.size();
  for (std::size_t at = 0; at <= last; ++at)
    if (LowerAscii(text[at]) == first && StartsWithLowered(text.substr(at + 1), lowered.substr(1)))
      return true;
  return false;
}

std::uint64_t HashIgnoringAsciiCase(std::string_view s) noexcept {
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ s.size();
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, s.data() + i, 8);
    h = (h ^ LowerAsciiWord(w)) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  if (i < s.size()) {
    std::uint64_t w = 0;
    std::memcpy(&w, s.data() + i, s.size() - i);
    h = (h ^ LowerAsciiWord(w)) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 29);
}

} // namespace vt
