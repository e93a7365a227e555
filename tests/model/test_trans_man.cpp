#include "model/trans_man.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

using namespace vt;

namespace {
std::string Bytes(std::initializer_list<unsigned> b) {
  std::string s;
  for (unsigned v : b) s.push_back(static_cast<char>(v));
  return s;
}
} // namespace

TEST(TextEscapes, LineBreaksOfEveryKindBecomeOneEscapeAndComeBackAsCrLf) {
  EXPECT_EQ(TTransMan::EncodeText(u"a\r\nb"), "a\\nb");
  EXPECT_EQ(TTransMan::EncodeText(u"a\nb"), "a\\nb");
  EXPECT_EQ(TTransMan::EncodeText(u"a\rb"), "a\\nb");
  EXPECT_EQ(TTransMan::EncodeText(u"a\n\rb"), "a\\nb");
  // Two breaks stay two.
  EXPECT_EQ(TTransMan::EncodeText(u"a\r\n\r\nb"), "a\\n\\nb");
  EXPECT_EQ(TTransMan::EncodeText(u"a\n\nb"), "a\\n\\nb");
  EXPECT_EQ(TTransMan::DecodeText("a\\nb"), u"a\r\nb");
}

TEST(TextEscapes, ControlCharactersTabsAndBackslashes) {
  EXPECT_EQ(TTransMan::EncodeText(u"x\ty"), "x\\ty");
  EXPECT_EQ(TTransMan::EncodeText(u"c:\\dir"), "c:\\\\dir");
  EXPECT_EQ(TTransMan::DecodeText("c:\\\\dir"), u"c:\\dir");
  EXPECT_EQ(TTransMan::EncodeText(std::u16string(1, u'\x07')), "\\07");
  EXPECT_EQ(TTransMan::EncodeText(std::u16string(1, u'\x1B')), "\\27");
  EXPECT_EQ(TTransMan::EncodeText(std::u16string(1, u'\0')), "\\00");
  EXPECT_EQ(TTransMan::DecodeText("\\07"), std::u16string(1, u'\x07'));
  EXPECT_EQ(TTransMan::DecodeText("\\27"), std::u16string(1, u'\x1B'));
  // A control character followed by a digit keeps its two-digit form.
  EXPECT_EQ(TTransMan::DecodeText(TTransMan::EncodeText(u"\x07"
                                                        u"5")),
            u"\x07"
            u"5");
}

TEST(TextEscapes, UnknownOrCutEscapesStayAsWritten) {
  EXPECT_EQ(TTransMan::UnescapeText(u"\\5x"), u"\\5x");
  EXPECT_EQ(TTransMan::UnescapeText(u"end\\"), u"end\\");
  EXPECT_EQ(TTransMan::UnescapeText(u"\\q"), u"\\q");
  EXPECT_EQ(TTransMan::UnescapeText(u"\\5"), u"\\5");
  // Any two digits give a code up to 99.
  EXPECT_EQ(TTransMan::UnescapeText(u"\\65\\91"), u"A[");
  EXPECT_EQ(TTransMan::UnescapeText(u"\\\\n"), u"\\n");
}

TEST(StoredUtf8, CodeUnitsAreEncodedOneByOne) {
  EXPECT_EQ(TTransMan::EncodeText(u"\u20AC"), Bytes({0xE2, 0x82, 0xAC}));
  EXPECT_EQ(TTransMan::EncodeText(u"\u00E9"), Bytes({0xC3, 0xA9}));
  // U+1F600 as two three-byte sequences, one per surrogate.
  const std::u16string emoji = u"\U0001F600";
  ASSERT_EQ(emoji.size(), 2u);
  const std::string stored = TTransMan::EncodeText(emoji);
  EXPECT_EQ(stored, Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}));
  EXPECT_EQ(TTransMan::DecodeText(stored), emoji);
  // Standard four-byte UTF-8 from elsewhere decodes to the same pair.
  EXPECT_EQ(TTransMan::DecodeText(Bytes({0xF0, 0x9F, 0x98, 0x80})), emoji);
}

TEST(StoredUtf8, InvalidBytesFallBackToWindows1252) {
  EXPECT_EQ(TTransMan::DecodeText(Bytes({0xE9})), u"\u00E9");
  EXPECT_EQ(TTransMan::DecodeText(Bytes({'c', 'a', 'f', 0xE9, ' ', 'x'})), u"caf\u00E9 x");
  // 0x80..0x9F are the Windows-1252 punctuation, not Latin-1 controls.
  EXPECT_EQ(TTransMan::DecodeText(Bytes({0x80, 0x93, 'a', 0x94})), u"\u20AC\u201Ca\u201D");
  // A sequence cut short at the end.
  EXPECT_EQ(TTransMan::DecodeText(Bytes({'a', 0xE2, 0x82})), u"a\u00E2\u201A");
  // A continuation byte as lead is not UTF-8, so the whole value is read as Windows-1252.
  EXPECT_EQ(TTransMan::DecodeText(Bytes({0x80, 0xA0})), u"\u20AC\u00A0");
  // Overlong forms are refused too.
  EXPECT_EQ(TTransMan::DecodeText(Bytes({0xC0, 0xAF})), u"\u00C0\u00AF");
  // Escapes are applied after the fall-back as well.
  EXPECT_EQ(TTransMan::DecodeText(Bytes({0xE9, '\\', 'n'})), u"\u00E9\r\n");
  // Valid UTF-8 is never read as Windows-1252.
  EXPECT_EQ(TTransMan::DecodeText(Bytes({0xC3, 0xA9})), u"\u00E9");
}

TEST(StoredUtf8, EveryWideTextRoundTrips) {
  // Line breaks are normalised to CR LF; everything else comes back unchanged, lone surrogates too.
  const std::u16string samples[] = {u"",         u"plain",        u"\\\\\\",        u"[x] y",
                                    u"\\07",     u"\xD800",       u"a\xDC00z",      u"\u4E2D\u6587",
                                    u"tab\tend", u"\x01\x02\x1F", u"\xFFFF\x7F\x80"};
  for (const auto &s : samples) EXPECT_EQ(TTransMan::DecodeText(TTransMan::EncodeText(s)), s);
}

TEST(StoredUtf8, ShortcutsForTextsWithoutEscapesMatchTheGeneralWay) {
  // Random texts and byte strings from pieces with and without escapes, control characters,
  // non-ASCII, surrogates and broken UTF-8: the converter gives what escaping and encoding (or
  // decoding and unescaping) step by step give.
  const std::u16string wide[] = {u"a",  u"Z",  u" ",  u"\u00F6", u"\u4E2D", u"\xD83D", u"\xDE00", u"\\",
                                 u"\t", u"\r", u"\n", u"\x01",   u"[",      u"\"",     u"|",      u"\x7F"};
  const std::string stored[] = {
      "a",    "Z",   " ",   "\xC3\xB6",    "\xE4\xB8\xAD", "\xED\xA0\x81", "\xF0\x9F\x98\x80",
      "\\",   "\\n", "\\t", "\\13",        "\\\\",         "\xFF",         "\xC3",
      "\x01", "[",   "|",   "\xE0\x80\xAF"};
  std::mt19937 rng(7);
  for (int round = 0; round < 4000; ++round) {
    std::u16string w;
    std::string s;
    const int n = static_cast<int>(rng() % 8);
    for (int i = 0; i < n; ++i) {
      w += wide[rng() % std::size(wide)];
      s += stored[rng() % std::size(stored)];
    }
    EXPECT_EQ(TTransMan::EncodeText(w), Utf16ToStoredUtf8(TTransMan::EscapeText(w)));
    std::u16string general;
    if (!StoredUtf8ToUtf16(s, general) || general.empty()) general = Cp1252ToUtf16(s);
    EXPECT_EQ(TTransMan::DecodeText(s), TTransMan::UnescapeText(general)) << s;
  }
}
