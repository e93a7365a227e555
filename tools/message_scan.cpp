#include "message_scan.h"

#include "support/byte_reader.h"

#include <algorithm>

namespace vt {
namespace {

// The texts between the markers may hold only printable bytes, tabs and line breaks.
bool Acceptable(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 32 && b != '\t' && b != '\n' && b != '\r') return false;
  }
  return true;
}

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\n') continue;
    if (c == '\r')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else
      out += c;
  }
  return out;
}

} // namespace

std::vector<std::string> ScanMessages(std::string_view bytes) {
  std::vector<std::string> out;
  const TByteReader reader(bytes);
  constexpr std::string_view kOpen = "(__", kClose = "__)";
  for (std::size_t at = bytes.find(kOpen); at != std::string_view::npos; at = bytes.find(kOpen, at + 1)) {
    // The first "__)" after the opening marker, looked for only where it could still count: it
    // must start less than kMaxMessageSpan bytes after the opening one.
    const std::size_t textStart = at + kOpen.size();
    const std::size_t span = std::min<std::size_t>(reader.Size() - textStart, kMaxMessageSpan - 1);
    const auto window = reader.Range(textStart, span);
    if (!window) break;
    const std::string_view chars = AsChars(*window);
    const auto close = chars.find(kClose);
    if (close == std::string_view::npos) continue;
    const std::string_view text = chars.substr(0, close);
    if (!text.empty() && Acceptable(text)) {
      std::string escaped = Escape(text);
      if (!escaped.empty()) out.push_back(std::move(escaped));
    }
  }
  return out;
}

} // namespace vt
