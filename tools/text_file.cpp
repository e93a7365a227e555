#include "text_file.h"

#include "support/file_io.h"
#include "support/text_codec.h"

namespace vt {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

} // namespace

bool ReadTextFile(const std::string &path, std::u16string &text, TTextFileFormat &format,
                  std::string *error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error)) return false;
  format = TTextFileFormat{};
  std::string_view body = bytes;
  if (body.starts_with(kBom)) {
    format.ByteOrderMark = true;
    body.remove_prefix(kBom.size());
  }
  std::u16string wide;
  format.Utf8 = StoredUtf8ToUtf16(body, wide);
  if (!format.Utf8) wide = Cp1252ToUtf16(body);
  format.CrLf = body.find("\r\n") != std::string_view::npos || body.find('\n') == std::string_view::npos;
  text.clear();
  text.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == u'\r') {
      text.push_back(u'\n');
      if (i + 1 < wide.size() && wide[i + 1] == u'\n') ++i;
    } else {
      text.push_back(wide[i]);
    }
  }
  return true;
}

std::string EncodeTextFile(std::u16string_view text, const TTextFileFormat &format, bool *utf8Forced) {
  std::u16string lines;
  lines.reserve(text.size() + text.size() / 16);
  for (const char16_t c : text) {
    if (c == u'\n' && format.CrLf) lines.push_back(u'\r');
    lines.push_back(c);
  }
  if (utf8Forced) *utf8Forced = false;
  if (!format.Utf8) {
    std::string bytes = Utf16ToCp1252(lines);
    if (Cp1252ToUtf16(bytes) == lines) return bytes;
    if (utf8Forced) *utf8Forced = true;
  }
  std::string out = format.ByteOrderMark ? std::string(kBom) : std::string();
  return out + Utf16ToUtf8(lines);
}

bool WriteTextFile(const std::string &path, std::u16string_view text, const TTextFileFormat &format,
                   bool *utf8Forced, std::string *error) {
  const std::string bytes = EncodeTextFile(text, format, utf8Forced);
  if (!BackupFile(path, error)) return false;
  return WriteFileAtomic(path, bytes, error);
}

} // namespace vt
