#include "byte_words.h"

#include <bit>

namespace vt {

const char *FindLineBreak(const char *at, const char *end) noexcept {
  static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
  for (; end - at >= 8; at += 8) {
    const std::uint64_t w = LoadWord(at);
    // The lowest marked byte is the first line break (the marks above it may be false).
    const std::uint64_t marks = EqualByteMarks(w, '\n') | EqualByteMarks(w, '\r');
    if (marks != 0) return at + std::countr_zero(marks) / 8;
  }
  while (at < end && *at != '\n' && *at != '\r') ++at;
  return at;
}

} // namespace vt
