#include "text_helpers.h"

namespace vt {

namespace {
bool IsLineBreak(char16_t c) {
  return c == u'\r' || c == u'\n';
}
} // namespace

std::u16string LineBreaksToBars(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (IsLineBreak(text[i])) {
      out.push_back(u'|');
      while (i < text.size() && IsLineBreak(text[i])) ++i;
    } else {
      out.push_back(text[i++]);
    }
  }
  return out;
}

std::u16string TrimTrailingLineBreaks(std::u16string_view text) {
  auto n = text.size();
  while (n > 0 && IsLineBreak(text[n - 1])) --n;
  return std::u16string(text.substr(0, n));
}

std::u16string JoinHint(std::u16string_view shortHint, std::u16string_view longHint) {
  std::u16string out(shortHint);
  if (!longHint.empty()) out.append(1, u'|').append(longHint);
  return out;
}

void SplitAtBar(std::u16string_view text, std::u16string &shortHint, std::u16string &longHint) {
  const auto bar = text.find(u'|');
  if (bar == std::u16string_view::npos) {
    shortHint.assign(text);
    longHint.clear();
  } else {
    shortHint.assign(text.substr(0, bar));
    longHint.assign(text.substr(bar + 1));
  }
}

bool SplitHint(std::u16string_view text, std::u16string &shortHint, std::u16string &longHint) {
  SplitAtBar(text, shortHint, longHint);
  if (shortHint.empty()) {
    shortHint.swap(longHint);
    longHint.clear();
  }
  return !shortHint.empty();
}

std::string RemoveFirstAmpersand(std::string_view s) {
  std::string out(s);
  const auto amp = out.find('&');
  if (amp != std::string::npos) out.erase(amp, 1);
  return out;
}

} // namespace vt
