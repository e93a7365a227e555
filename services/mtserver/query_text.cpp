#include "services/mtserver/query_text.h"

#include "mt/url_text.h"
#include "support/markup_text.h"
#include "support/text_codec.h"

namespace vt::mtserver {

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

std::string DecodeQueryText(std::string_view raw) {
  std::string bytes = PercentDecode(raw);
  if (IsValidUtf8(bytes)) return bytes;
  return Cp1252ToUtf8(bytes);
}

std::string EscapeMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  AppendMarkupText(out, text);
  return out;
}

} // namespace vt::mtserver
