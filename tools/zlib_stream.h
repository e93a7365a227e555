#pragma once
// Inflating zlib streams with a bound on the output, so that a small hostile file cannot make us
// allocate without limit.
#include <string>
#include <string_view>

namespace vt {

inline constexpr std::size_t kMaxInflatedSize = std::size_t{64} << 20;

// False when the data is no complete zlib stream or inflates to more than maxSize bytes.
bool InflateZlib(std::string_view data, std::string &out, std::size_t maxSize = kMaxInflatedSize);

} // namespace vt
