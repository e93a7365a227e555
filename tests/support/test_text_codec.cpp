#include "support/text_codec.h"

#include <gtest/gtest.h>

#include <optional>

namespace vt {
namespace {

std::string Bytes(std::initializer_list<unsigned> b) {
  std::string s;
  for (unsigned v : b) s.push_back(static_cast<char>(v));
  return s;
}

std::optional<std::u16string> Strict(std::string_view bytes) {
  std::u16string out;
  if (!StoredUtf8ToUtf16(bytes, out)) return std::nullopt;
  return out;
}

TEST(Utf8Codec, StrictDecodingRejectsBrokenSequences) {
  EXPECT_EQ(Strict("Hallo Welt"), u"Hallo Welt");
  EXPECT_EQ(Strict("\xC3\xA9\xE2\x82\xAC"), u"\u00E9\u20AC");
  EXPECT_EQ(Strict("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Strict(""), u"");
  EXPECT_FALSE(Strict("caf\xE9"));
  EXPECT_FALSE(Strict("\xC3"));             // cut short
  EXPECT_FALSE(Strict("a\xE2\x82"));        // cut short after a lead of three
  EXPECT_FALSE(Strict("\xC0\xAF"));         // overlong
  EXPECT_FALSE(Strict("\xE0\x80\xAF"));     // overlong, three bytes
  EXPECT_FALSE(Strict("\xF0\x8F\xBF\xBF")); // overlong, four bytes
  EXPECT_FALSE(Strict("\xF4\x90\x80\x80")); // beyond U+10FFFF
  EXPECT_FALSE(Strict("\xF5\x80\x80\x80"));
  EXPECT_FALSE(Strict("\x80")); // a continuation byte as lead
  // The stored form's encoded surrogates are kept as code units.
  EXPECT_EQ(Strict("\xED\xA0\xBD\xED\xB8\x80"), u"\U0001F600");
  EXPECT_EQ(Strict("\xED\xA0\x80"), std::u16string(1, char16_t(0xD800)));
}

TEST(Utf8Codec, StoredFormWritesEveryCodeUnitOnItsOwn) {
  EXPECT_EQ(Utf16ToStoredUtf8(u"\u20AC\u00E9a"), Bytes({0xE2, 0x82, 0xAC, 0xC3, 0xA9, 'a'}));
  EXPECT_EQ(Utf16ToStoredUtf8(u"\U0001F600"), Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}));
  // Every text of code units comes back unchanged, lone surrogates and U+FFFF included.
  const std::u16string samples[] = {u"",          u"plain",        std::u16string(1, char16_t(0xD800)),
                                    u"a\xDC00z",  u"\u4E2D\u6587", u"\xFFFF\x7F\x80",
                                    u"\U0010FFFF"};
  for (const auto &s : samples) EXPECT_EQ(Strict(Utf16ToStoredUtf8(s)), s);
}

TEST(Utf8Codec, StandardFormJoinsPairsAndReplacesLoneHalves) {
  EXPECT_EQ(Utf16ToUtf8(u"\u00E9\U0001F600"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a") + char16_t(0xDC00)), "a\xEF\xBF\xBD");
  EXPECT_TRUE(IsValidUtf8("Gr\xC3\xBC\xC3\x9F"
                          "e"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // an encoded surrogate is not standard UTF-8
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
  // Whatever the wide text, the standard form is valid UTF-8.
  EXPECT_TRUE(IsValidUtf8(Utf16ToUtf8(std::u16string{0xDBFF, u'x', 0xDFFF, 0xD83D, 0xDE00})));
}

TEST(Utf8Codec, ReplacingDecoderNeverFails) {
  EXPECT_EQ(Utf8ToUtf16Replacing("caf\xC3\xA9"), u"caf\u00E9");
  EXPECT_EQ(Utf8ToUtf16Replacing("caf\xE9!"), u"caf\uFFFD!");
  // A lead with part of its continuation is one replacement; the byte after it stays.
  EXPECT_EQ(Utf8ToUtf16Replacing("\xE2\x82x"), u"\uFFFDx");
  EXPECT_EQ(Utf8ToUtf16Replacing("\x80\x80"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16Replacing("\xED\xA0\x80"), u"\uFFFD");
  EXPECT_EQ(Utf8ToUtf16Replacing("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Utf8ToUtf16Replacing("\xFF"), u"\uFFFD");
}

TEST(Cp1252, TableAndReverse) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string wide = Cp1252ToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(wide[0x80], u'\u20AC');
  EXPECT_EQ(wide[0x9F], u'\u0178');
  EXPECT_EQ(wide[0x81], u'\u0081');
  EXPECT_EQ(wide[0xFF], u'\u00FF');
  EXPECT_EQ(Utf16ToCp1252(wide), all);
  EXPECT_EQ(Utf16ToCp1252(u"\u4E2D"), "?");
  EXPECT_EQ(Cp1252ToUtf8("\x80 caf\xE9"), "\xE2\x82\xAC caf\xC3\xA9");
}

TEST(PlainUtf8, UsesUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(Utf8ToUtf16(Bytes({0xF0, 0x9F, 0x98, 0x80})), u"\U0001F600");
  EXPECT_EQ(Utf8ToUtf16(Bytes({0xC3, 0xA9})), u"\u00E9");
  EXPECT_EQ(Utf8ToUtf16(Bytes({0xE9})), u"\u00E9");
  EXPECT_EQ(Utf8ToUtf16(Bytes({0x93, 'a', 0x94})), u"\u201Ca\u201D");
}

} // namespace
} // namespace vt
