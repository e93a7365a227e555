#include "trans_man.h"

#include <array>

namespace vt {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to the same code point, as the
// system converter does, so every byte decodes to something and nothing is lost.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(unsigned char b) {
  return b >= 0x80 && b <= 0xBF;
}

void AppendUtf8CodeUnit(std::string &out, char16_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool IsAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

} // namespace

void AppendUtf8CodePoint(std::string &out, char32_t cp) {
  if (cp < 0x10000) {
    AppendUtf8CodeUnit(out, static_cast<char16_t>(cp));
    return;
  }
  out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
  out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
}

std::u16string TTransMan::EscapeText(std::u16string_view wide) {
  std::u16string out;
  out.reserve(wide.size() + wide.size() / 8);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if (c == u'\t') {
      out.append(u"\\t");
    } else if (c == u'\n' || c == u'\r') {
      // CR LF and LF CR are one line break each.
      const char16_t pair = c == u'\n' ? u'\r' : u'\n';
      if (i + 1 < wide.size() && wide[i + 1] == pair) ++i;
      out.append(u"\\n");
    } else if (c == u'\\') {
      out.append(u"\\\\");
    } else if (c < 32) {
      out.push_back(u'\\');
      out.push_back(static_cast<char16_t>(u'0' + c / 10));
      out.push_back(static_cast<char16_t>(u'0' + c % 10));
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u16string TTransMan::UnescapeText(std::u16string_view wide) {
  std::u16string out;
  out.reserve(wide.size());
  const std::size_t n = wide.size();
  for (std::size_t i = 0; i < n;) {
    const char16_t c = wide[i];
    if (c != u'\\' || i + 1 >= n) {
      out.push_back(c);
      ++i;
      continue;
    }
    const char16_t next = wide[i + 1];
    if (IsAsciiDigit(next) && i + 2 < n && IsAsciiDigit(wide[i + 2])) {
      out.push_back(static_cast<char16_t>((next - u'0') * 10 + (wide[i + 2] - u'0')));
      i += 3;
    } else if (next == u'\\') {
      out.push_back(u'\\');
      i += 2;
    } else if (next == u'n') {
      out.append(u"\r\n");
      i += 2;
    } else if (next == u't') {
      out.push_back(u'\t');
      i += 2;
    } else {
      out.push_back(c);
      ++i;
    }
  }
  return out;
}

std::string TTransMan::EncodeText(std::u16string_view wide) {
  return Utf16ToStoredUtf8(EscapeText(wide));
}

std::u16string TTransMan::DecodeText(std::string_view stored) {
  if (stored.empty()) return {};
  std::u16string wide;
  if (!StoredUtf8ToUtf16(stored, wide) || wide.empty()) wide = Cp1252ToUtf16(stored);
  return UnescapeText(wide);
}

TTransMan &TransMan() {
  // Lives for the whole process; never released through the holder count.
  static TTransMan *instance = new TTransMan();
  return *instance;
}

std::string Utf16ToStoredUtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size() + wide.size() / 2);
  for (const char16_t c : wide) AppendUtf8CodeUnit(out, c);
  return out;
}

bool StoredUtf8ToUtf16(std::string_view bytes, std::u16string &out) {
  out.clear();
  out.reserve(bytes.size());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      out.push_back(b0);
      ++i;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      if (i + 1 >= n || !IsContinuation(static_cast<unsigned char>(bytes[i + 1]))) return false;
      out.push_back(static_cast<char16_t>(((b0 & 0x1F) << 6) | (bytes[i + 1] & 0x3F)));
      i += 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      if (i + 2 >= n) return false;
      const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
      const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
      if (!IsContinuation(b1) || !IsContinuation(b2)) return false;
      if (b0 == 0xE0 && b1 < 0xA0) return false; // overlong
      // Surrogates are allowed: the stored form writes each half as its own sequence.
      out.push_back(static_cast<char16_t>(((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F)));
      i += 3;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      // Standard four-byte UTF-8 from other editors: accepted and split into a surrogate pair.
      if (i + 3 >= n) return false;
      const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
      const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
      const auto b3 = static_cast<unsigned char>(bytes[i + 3]);
      if (!IsContinuation(b1) || !IsContinuation(b2) || !IsContinuation(b3)) return false;
      const char32_t cp = (char32_t(b0 & 0x07) << 18) | (char32_t(b1 & 0x3F) << 12) |
                          (char32_t(b2 & 0x3F) << 6) | char32_t(b3 & 0x3F);
      if (cp < 0x10000 || cp > 0x10FFFF) return false;
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      i += 4;
    } else {
      // A continuation byte as lead, C0/C1 (overlong) or F5..FF: not UTF-8.
      return false;
    }
  }
  return true;
}

std::u16string Cp1252ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b));
  }
  return out;
}

std::string Utf16ToCp1252(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (const char16_t c : wide) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    char mapped = '?';
    for (std::size_t k = 0; k < kCp1252High.size(); ++k)
      if (kCp1252High[k] == c) {
        mapped = static_cast<char>(0x80 + k);
        break;
      }
    out.push_back(mapped);
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size() + wide.size() / 2);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      AppendUtf8CodePoint(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(wide[i + 1]) - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendUtf8CodePoint(out, 0xFFFD); // a lone half has no UTF-8 form
    } else {
      AppendUtf8CodeUnit(out, c);
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  if (StoredUtf8ToUtf16(bytes, out)) return out;
  return Cp1252ToUtf16(bytes);
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char &c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  return out;
}

std::u16string LowerAscii(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t &c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
  return out;
}

} // namespace vt
