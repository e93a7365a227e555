#include "services/mtserver/query_text.h"

#include "mt/url_text.h"
#include "mt/utf8_text.h"

namespace vt::mtserver {
namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes keep their C1 code points.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::unordered_map<std::string, std::string> ParseRawQuery(std::string_view query) {
  std::unordered_map<std::string, std::string> out;
  size_t pos = 0;
  while (pos <= query.size()) {
    size_t amp = query.find('&', pos);
    if (amp == std::string_view::npos) amp = query.size();
    const std::string_view pair = query.substr(pos, amp - pos);
    if (!pair.empty()) {
      const size_t eq = pair.find('=');
      std::string key = PercentDecode(pair.substr(0, eq));
      std::string value = eq == std::string_view::npos ? std::string() : std::string(pair.substr(eq + 1));
      out.try_emplace(std::move(key), std::move(value));
    }
    pos = amp + 1;
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    wide += (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
  }
  return EncodeUtf8(wide);
}

std::string DecodeQueryText(std::string_view raw) {
  std::string bytes = PercentDecode(raw);
  if (IsValidUtf8(bytes)) return bytes;
  return Cp1252ToUtf8(bytes);
}

std::string EscapeMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    default:
      out += c;
    }
  }
  return out;
}

} // namespace vt::mtserver
