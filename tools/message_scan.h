#pragma once
// Finds the program messages that an executable marks for translation as (__text__).
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// A closing marker must start less than this many bytes after the opening one.
inline constexpr std::size_t kMaxMessageSpan = 500;

// Every marked text in scan order, duplicates included; line feeds removed, carriage returns and
// tabs written as the escapes "\n" and "\t".
std::vector<std::string> ScanMessages(std::string_view bytes);

} // namespace vt
