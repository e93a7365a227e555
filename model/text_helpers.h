#pragma once
// Small text helpers used with entries (wide strings).
#include <string>
#include <string_view>

namespace vt {

// Every run of CR and LF characters becomes one "|".
std::u16string LineBreaksToBars(std::u16string_view text);
// Removes CR and LF characters from the end.
std::u16string TrimTrailingLineBreaks(std::u16string_view text);
// Empty when both are empty; short "|" long when long is non-empty; otherwise short.
std::u16string JoinHint(std::u16string_view shortHint, std::u16string_view longHint);
// short := before the first "|", long := after it; an empty short takes long's place.
bool SplitHint(std::u16string_view text, std::u16string &shortHint, std::u16string &longHint);
// short := before the first "|", long := after it (no swapping).
void SplitAtBar(std::u16string_view text, std::u16string &shortHint, std::u16string &longHint);

// Trims leading and trailing bytes of value 32 and below (space and control bytes), as every
// line of the ini dialect and of form texts is trimmed.
// Inline: the ini reader calls it several times per line.
inline std::string_view TrimControl(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

// Removes the first "&" (the accelerator mark).
std::string RemoveFirstAmpersand(std::string_view s);

} // namespace vt
