#pragma once
// Reading the raw query of a service request: values are percent-decoded exactly once, here,
// and text that is not UTF-8 is taken as Windows-1252 (what a Western desktop sends).
#include <string>
#include <string_view>
#include <unordered_map>

namespace vt::mtserver {

// key -> raw (still encoded) value; the first occurrence of a key wins.
std::unordered_map<std::string, std::string> ParseRawQuery(std::string_view query);

// Percent-decodes once; the bytes become UTF-8 (kept when valid, else read as Windows-1252).
std::string DecodeQueryText(std::string_view raw);

// "&", "<" and ">" as character references, for text placed between tags. Quotes stay: the
// client does not decode references, and a translation with an apostrophe must read as one.
std::string EscapeMarkup(std::string_view text);

} // namespace vt::mtserver
