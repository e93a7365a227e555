// Text conversion on arbitrary input: decoding never fails, and every wide text survives
// encode-then-decode with its line breaks written as CR LF.
#include "model/trans_man.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::u16string LineBreaksAsCrLf(std::u16string_view s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'\r' || c == u'\n') {
      const char16_t pair = c == u'\r' ? u'\n' : u'\r';
      if (i + 1 < s.size() && s[i + 1] == pair) ++i;
      out.append(u"\r\n");
    } else {
      out.push_back(c);
    }
  }
  return out;
}

void CheckRoundTrip(std::u16string_view wide) {
  const std::string stored = vt::TTransMan::EncodeText(wide);
  if (stored.find_first_of("\r\n\t") != std::string::npos) std::abort(); // one ini line
  if (vt::TTransMan::DecodeText(stored) != LineBreaksAsCrLf(wide)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  CheckRoundTrip(vt::TTransMan::DecodeText(bytes));

  // The same bytes taken as UTF-16 code units, lone surrogates included.
  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  CheckRoundTrip(units);

  // Strictly valid stored bytes without four-byte forms re-encode to themselves.
  std::u16string strict;
  if (vt::StoredUtf8ToUtf16(bytes, strict) &&
      bytes.find_first_of("\xF0\xF1\xF2\xF3\xF4") == std::string_view::npos &&
      vt::Utf16ToStoredUtf8(strict) != bytes)
    std::abort();
  if (vt::Cp1252ToUtf16(bytes).size() != size) std::abort();
  return 0;
}
