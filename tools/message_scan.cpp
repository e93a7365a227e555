#include "message_scan.h"

#include <algorithm>
#include <cstring>

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
  const char *const begin = bytes.data();
  const char *const end = begin + bytes.size();
  const char *p = begin;
  while (end - p >= 3) {
    p = static_cast<const char *>(std::memchr(p, '(', static_cast<std::size_t>(end - p - 2)));
    if (!p) break;
    if (p[1] != '_' || p[2] != '_') {
      ++p;
      continue;
    }
    // The first "__)" after the opening marker, looked for only where it could still count.
    const char *textStart = p + 3;
    const char *limit = std::min(end, p + kMaxMessageSpan + 2);
    const std::string_view window(textStart,
                                  static_cast<std::size_t>(std::max(limit - textStart, std::ptrdiff_t{0})));
    const auto close = window.find("__)");
    if (close != std::string_view::npos &&
        static_cast<std::size_t>(textStart + close - p) < kMaxMessageSpan) {
      const std::string_view text = window.substr(0, close);
      if (!text.empty() && Acceptable(text)) {
        std::string escaped = Escape(text);
        if (!escaped.empty()) out.push_back(std::move(escaped));
      }
    }
    ++p;
  }
  return out;
}

} // namespace vt
