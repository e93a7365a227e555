#pragma once
// Conversion between the wide text the editors show (UTF-16) and the stored form of the project
// files: backslash escapes, then UTF-8 per UTF-16 code unit (surrogates as two 3-byte sequences),
// with Windows-1252 as the fall-back when stored bytes are not valid in that form.
#include "release_obj.h"

#include <string>
#include <string_view>

namespace vt {

class TTransMan : public TRefObj {
public:
  static std::u16string EscapeText(std::u16string_view wide);
  static std::u16string UnescapeText(std::u16string_view wide);
  static std::string EncodeText(std::u16string_view wide);
  static std::u16string DecodeText(std::string_view stored);
};

// The one converter of the process.
TTransMan &TransMan();

// UTF-8 per UTF-16 code unit, as the stored form writes it.
std::string Utf16ToStoredUtf8(std::u16string_view wide);
// Strict decoding of the stored UTF-8 form; false when a sequence is broken or cut short.
bool StoredUtf8ToUtf16(std::string_view bytes, std::u16string &out);
// Windows-1252, the system ANSI code page of the product.
std::u16string Cp1252ToUtf16(std::string_view bytes);
// Characters without a Windows-1252 byte become "?".
std::string Utf16ToCp1252(std::u16string_view wide);

// Plain conversions for program texts (paths, command lines, console output): standard UTF-8
// with surrogate pairs joined; invalid input falls back to Windows-1252.
std::string Utf16ToUtf8(std::u16string_view wide);
std::u16string Utf8ToUtf16(std::string_view bytes);

// Appends one code point as UTF-8 (values below 0x10000, surrogates included, as three bytes at most).
void AppendUtf8CodePoint(std::string &out, char32_t cp);

// ASCII-only lower-casing (A-Z), as every comparison of the model uses it.
std::string LowerAscii(std::string_view s);
std::u16string LowerAscii(std::u16string_view s);

} // namespace vt
