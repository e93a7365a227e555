#include "support/ascii_case.h"

#include <bit>
#include <cstring>

namespace vt {

std::string LowerAscii(std::string_view s) {
  std::string out;
  LowerAsciiInto(s, out);
  return out;
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char &c : out) c = UpperAscii(c);
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
  const std::size_t n = prefix.size();
  std::size_t i = 0;
  // Eight bytes at a time: most texts compared are the same bytes, and the words are folded only
  // where they differ.
  for (; i + 8 <= n; i += 8) {
    std::uint64_t a, b;
    std::memcpy(&a, text.data() + i, 8);
    std::memcpy(&b, prefix.data() + i, 8);
    if (a != b && LowerAsciiWord(a) != LowerAsciiWord(b)) return false;
  }
  for (; i < n; ++i)
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  return true;
}

bool StartsWithLowered(std::string_view text, std::string_view lowered) noexcept {
  if (text.size() < lowered.size()) return false;
  for (std::size_t i = 0; i < lowered.size(); ++i)
    if (LowerAscii(text[i]) != lowered[i]) return false;
  return true;
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;

// The high bit of exactly the zero bytes of x.
constexpr std::uint64_t ZeroBytes(std::uint64_t x) noexcept {
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

std::uint64_t Load8(const char *p) noexcept {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// ContainsLowered, eight places at a time: a word holds the bytes at [at, at + 8) lower-cased, a
// second one those a byte later, and the places where both the first and the second byte of lowered
// match are checked in full. With Note, it also tells (in *noted) whether text holds the byte note
// in the part read so far: complete whenever the result is false.
template <bool Note>
bool ScanLowered(std::string_view text, std::string_view lowered, char note, bool *noted) noexcept {
  if (Note) *noted = false;
  const std::size_t n = text.size(), m = lowered.size();
  if (m == 0) {
    if (Note) *noted = text.find(note) != std::string_view::npos;
    return true;
  }
  std::size_t at = 0;
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t first = kOnes * static_cast<unsigned char>(lowered[0]);
    const std::uint64_t second = kOnes * static_cast<unsigned char>(lowered[m > 1 ? 1 : 0]);
    const std::uint64_t noteWord = kOnes * static_cast<unsigned char>(note);
    const std::size_t step = m > 1 ? 9 : 8; // bytes the two loads read from at
    std::uint64_t seen = 0;
    for (; at + step <= n && at + m <= n; at += 8) {
      const std::uint64_t raw = Load8(text.data() + at);
      if (Note) seen |= ZeroBytes(raw ^ noteWord);
      std::uint64_t hits = ZeroBytes(LowerAsciiWord(raw) ^ first);
      // Both words every time: whether the first byte matched is too random a branch.
      if (m > 1) hits &= ZeroBytes(LowerAsciiWord(Load8(text.data() + at + 1)) ^ second);
      while (hits) {
        const std::size_t pos = at + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
        hits &= hits - 1;
        if (pos + m > n) break;
        if (m <= 2 || StartsWithLowered(text.substr(pos + 2), lowered.substr(2))) return true;
      }
    }
    if (Note) *noted = seen != 0;
  }
  if (Note && !*noted) *noted = text.find(note, at) != std::string_view::npos;
  if (n < m) return false;
  const char head = lowered[0];
  for (; at + m <= n; ++at)
    if (LowerAscii(text[at]) == head && StartsWithLowered(text.substr(at + 1), lowered.substr(1)))
      return true;
  return false;
}

} // namespace

bool ContainsLowered(std::string_view text, std::string_view lowered) noexcept {
  return ScanLowered<false>(text, lowered, 0, nullptr);
}

bool ContainsLoweredNoting(std::string_view text, std::string_view lowered, char note, bool &noted) noexcept {
  return ScanLowered<true>(text, lowered, note, &noted);
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
