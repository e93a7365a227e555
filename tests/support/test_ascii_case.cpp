#include "support/ascii_case.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace vt {
namespace {

TEST(AsciiCase, OnlyAsciiLettersFold) {
  EXPECT_EQ(LowerAscii(std::string_view("AbC\xC9[Z]@")), "abc\xC9[z]@");
  EXPECT_EQ(LowerAscii(std::u16string_view(u"\u00C9Z")), u"\u00C9z");
  EXPECT_EQ(UpperAscii(std::string_view("m\xE9z{")), "M\xE9Z{");
  std::string out = "left over";
  LowerAsciiInto("XY", out);
  EXPECT_EQ(out, "xy");
  EXPECT_TRUE(SameIgnoringAsciiCase("Caption", "cAPTION"));
  EXPECT_FALSE(SameIgnoringAsciiCase("Caption", "Captio"));
  EXPECT_FALSE(SameIgnoringAsciiCase("\xC9", "\xE9")); // beyond ASCII, bytes must match
  EXPECT_FALSE(SameIgnoringAsciiCase("[", "{"));       // '[' is 'A'-ish + 26, not a letter
  EXPECT_TRUE(StartsWithIgnoringAsciiCase("Hint = 'x'", "HINT ="));
  EXPECT_FALSE(StartsWithIgnoringAsciiCase("Hi", "Hint"));
}

TEST(AsciiCase, LoweredSearches) {
  EXPECT_TRUE(StartsWithLowered("Open File", "open"));
  EXPECT_FALSE(StartsWithLowered("Open File", "Open"));
  EXPECT_TRUE(ContainsLowered("Open File", "n f"));
  EXPECT_TRUE(ContainsLowered("Open File", ""));
  EXPECT_FALSE(ContainsLowered("Open", "opens"));
  EXPECT_TRUE(ContainsLowered("aaab", "aab")); // a partial match does not hide a later one
}

TEST(AsciiCase, WordFoldingAgreesWithTheByteRule) {
  // Every byte value in every lane of the word.
  for (int b = 0; b < 256; ++b) {
    for (int lane = 0; lane < 8; ++lane) {
      std::uint64_t w = 0x4161205A7A5B407Full; // mixed neighbours
      std::memcpy(reinterpret_cast<char *>(&w) + lane, &b, 1);
      char bytes[8], want[8];
      std::memcpy(bytes, &w, 8);
      for (int i = 0; i < 8; ++i) want[i] = LowerAscii(bytes[i]);
      const std::uint64_t got = LowerAsciiWord(w);
      ASSERT_EQ(std::memcmp(&got, want, 8), 0) << "byte " << b << " lane " << lane;
    }
  }
}

TEST(AsciiCase, WordwiseSearchAgreesWithBytewise) {
  // Random texts of an alphabet rich in near misses (case, "&", bytes past ASCII) at every length
  // around the eight-byte words, against a plain byte-by-byte search of the lower-cased text.
  const char alphabet[] = {'a', 'A', 'b', 'B', '&', ' ', '\xC1', '\xE1', 'z'};
  std::mt19937 rng(5);
  auto randomText = [&](std::size_t n) {
    std::string s(n, ' ');
    for (char &c : s) c = alphabet[rng() % sizeof alphabet];
    return s;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string text = randomText(rng() % 40);
    const std::string lowered = LowerAscii(randomText(rng() % 5));
    const bool expected = LowerAscii(text).find(lowered) != std::string::npos;
    ASSERT_EQ(ContainsLowered(text, lowered), expected) << "'" << text << "' '" << lowered << "'";
    bool noted = true;
    ASSERT_EQ(ContainsLoweredNoting(text, lowered, '&', noted), expected) << text;
    if (!expected) {
      ASSERT_EQ(noted, text.find('&') != std::string::npos) << "'" << text << "'";
    }
  }
}

TEST(AsciiCase, WordwiseComparisonAgreesWithBytewise) {
  // Pairs that differ in case, in one byte (a letter's neighbours "@", "[", "`", "{", bytes past
  // ASCII) or in length, at every length around the eight-byte words.
  const char alphabet[] = {'a', 'A', 'z', 'Z', '@', '[', '`', '{', '.', '\xC1', '\xE1'};
  std::mt19937 rng(7);
  const auto bytewise = [](std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
      if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    return true;
  };
  for (int round = 0; round < 20000; ++round) {
    std::string text(rng() % 40, ' ');
    for (char &c : text) c = alphabet[rng() % sizeof alphabet];
    std::string prefix = text.substr(0, rng() % (text.size() + 1));
    for (char &c : prefix)
      if (rng() % 3 == 0) c = static_cast<char>(c ^ 0x20); // the other case, or a near miss
    if (!prefix.empty() && rng() % 4 == 0) prefix[rng() % prefix.size()] = alphabet[rng() % sizeof alphabet];
    if (rng() % 8 == 0) prefix += 'a';
    ASSERT_EQ(StartsWithIgnoringAsciiCase(text, prefix), bytewise(text, prefix)) << text << " | " << prefix;
    ASSERT_EQ(SameIgnoringAsciiCase(text, prefix), text.size() == prefix.size() && bytewise(text, prefix))
        << text << " | " << prefix;
  }
}

TEST(AsciiCase, HashIgnoresCaseOnly) {
  EXPECT_EQ(HashIgnoringAsciiCase("Section.Caption"), HashIgnoringAsciiCase("SECTION.caption"));
  EXPECT_EQ(HashIgnoringAsciiCase(""), HashIgnoringAsciiCase(""));
  EXPECT_NE(HashIgnoringAsciiCase("ab"), HashIgnoringAsciiCase("abc"));
  EXPECT_NE(HashIgnoringAsciiCase("\xC9"), HashIgnoringAsciiCase("\xE9"));
  // The tail after the last full word counts, also its length.
  EXPECT_NE(HashIgnoringAsciiCase("12345678a"), HashIgnoringAsciiCase("12345678b"));
  EXPECT_NE(HashIgnoringAsciiCase(std::string_view("a\0", 2)), HashIgnoringAsciiCase("a"));
}

} // namespace
} // namespace vt
