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

// Removes the first "&" (the accelerator mark).
std::string RemoveFirstAmpersand(std::string_view s);

} // namespace vt
