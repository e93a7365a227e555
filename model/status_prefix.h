#pragma once
// The status prefix of a stored translation: "[" status letters "]" at the very start. A text that
// starts with the escape \91 starts with a "[" of its own and carries no prefix.
#include <string_view>

namespace vt {

// The prefix with its brackets, or empty.
inline std::string_view StatusPrefix(std::string_view value) {
  if (value.empty() || value.front() != '[') return {};
  const std::size_t close = value.find(']');
  return close == std::string_view::npos ? std::string_view() : value.substr(0, close + 1);
}

// The text after the prefix; the whole value without one.
inline std::string_view StatusBody(std::string_view value) {
  return value.substr(StatusPrefix(value).size());
}

} // namespace vt
