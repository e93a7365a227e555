#include "support/text_codec.h"

#include <array>

namespace vt {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to the same code point, as the
// system converter does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf16(std::u16string &out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
  }
}

// One sequence at bytes[i]: its code point (encoded surrogates included) and its length, or a
// length of 0 when the sequence is broken, overlong, beyond U+10FFFF or cut short.
struct TDecoded {
  char32_t Cp = 0;
  std::size_t Length = 0;
};

TDecoded DecodeOne(std::string_view bytes, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  if (b0 < 0x80) return {b0, 1};
  std::size_t extra = 0;
  char32_t cp = 0, min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    return {}; // a continuation byte as lead, C0/C1 (overlong) or F5..FF
  }
  if (bytes.size() - i <= extra) return {};
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto c = static_cast<unsigned char>(bytes[i + k]);
    if (!IsUtf8Continuation(c)) return {};
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF) return {};
  return {cp, extra + 1};
}

} // namespace

void AppendUtf8CodePoint(std::string &out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf16ToStoredUtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size() + wide.size() / 2);
  for (const char16_t c : wide) AppendUtf8CodePoint(out, c);
  return out;
}

bool StoredUtf8ToUtf16(std::string_view bytes, std::u16string &out) {
  out.clear();
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) { // the common case, without a call
      out.push_back(b0);
      ++i;
      continue;
    }
    const TDecoded d = DecodeOne(bytes, i);
    if (d.Length == 0) return false;
    AppendUtf16(out, d.Cp);
    i += d.Length;
  }
  return true;
}

std::u16string Utf8ToUtf16Replacing(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const TDecoded d = DecodeOne(bytes, i);
    if (d.Length != 0 && !(d.Cp >= 0xD800 && d.Cp <= 0xDFFF)) {
      AppendUtf16(out, d.Cp);
      i += d.Length;
      continue;
    }
    // One U+FFFD for the lead and the continuation bytes that belong to it.
    out.push_back(0xFFFD);
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t extra = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    std::size_t skip = 1;
    while (skip <= extra && i + skip < bytes.size() &&
           IsUtf8Continuation(static_cast<unsigned char>(bytes[i + skip])))
      ++skip;
    i += skip;
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const TDecoded d = DecodeOne(bytes, i);
    if (d.Length == 0 || (d.Cp >= 0xD800 && d.Cp <= 0xDFFF)) return false;
    i += d.Length;
  }
  return true;
}

std::string Utf16ToUtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size() + wide.size() / 2);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char32_t c = wide[i];
    if (IsHighSurrogate(c) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      AppendUtf8CodePoint(out, 0x10000 + ((c - 0xD800) << 10) + (char32_t(wide[i + 1]) - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendUtf8CodePoint(out, 0xFFFD);
    } else {
      AppendUtf8CodePoint(out, c);
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  if (StoredUtf8ToUtf16(bytes, out)) return out;
  return Cp1252ToUtf16(bytes);
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

std::string Cp1252ToUtf8(std::string_view bytes) {
  return Utf16ToUtf8(Cp1252ToUtf16(bytes));
}

} // namespace vt
