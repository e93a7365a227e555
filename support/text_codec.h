#pragma once
// The one text codec of the system: UTF-8 in its standard form and in the stored form of the
// project files (CESU-style: UTF-8 per UTF-16 code unit, surrogates as two 3-byte sequences), and
// Windows-1252, the ANSI code page of the product.
#include <string>
#include <string_view>

namespace vt {

// Byte classes of UTF-8: a continuation byte (10xxxxxx) and a byte that starts a sequence of two
// to four bytes.
constexpr bool IsUtf8Continuation(unsigned char c) noexcept {
  return (c & 0xC0) == 0x80;
}
constexpr bool IsUtf8Lead(unsigned char c) noexcept {
  return c >= 0xC0 && c <= 0xF7;
}

// Appends one code point as UTF-8 (values below 0x10000, surrogates included, as three bytes at most).
void AppendUtf8CodePoint(std::string &out, char32_t cp);

// UTF-8 per UTF-16 code unit, as the stored form writes it.
std::string Utf16ToStoredUtf8(std::u16string_view wide);
// Strict decoding of UTF-8 that also accepts the stored form's encoded surrogates (kept as code
// units) and joins standard four-byte sequences into surrogate pairs. False when a sequence is
// broken, overlong, beyond U+10FFFF or cut short; out then holds what was decoded before it.
bool StoredUtf8ToUtf16(std::string_view bytes, std::u16string &out);
// Standard UTF-8 to UTF-16 without failing: every broken sequence becomes U+FFFD.
std::u16string Utf8ToUtf16Replacing(std::string_view bytes);
// True when the bytes are well-formed standard UTF-8 (no encoded surrogates).
bool IsValidUtf8(std::string_view bytes);

// Standard UTF-8 with surrogate pairs joined; a lone half, which has no UTF-8 form, becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view wide);
// Plain conversion for program texts (paths, command lines, console output): UTF-8 as
// StoredUtf8ToUtf16 reads it; input that is not UTF-8 falls back to Windows-1252.
std::u16string Utf8ToUtf16(std::string_view bytes);

// Windows-1252 to UTF-16; the five unassigned bytes keep their C1 code points, so every byte
// decodes to something and nothing is lost.
std::u16string Cp1252ToUtf16(std::string_view bytes);
// Characters without a Windows-1252 byte become "?".
std::string Utf16ToCp1252(std::u16string_view wide);
// Windows-1252 to standard UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

} // namespace vt
