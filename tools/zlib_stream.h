#pragma once
// zlib streams: inflating with a bound on the output, so that a small hostile file cannot make us
// allocate without limit, and deflating at the default level.
#include <string>
#include <string_view>

namespace vt {

inline constexpr std::size_t kMaxInflatedSize = std::size_t{64} << 20;

// False when the data is no complete zlib stream or inflates to more than maxSize bytes.
bool InflateZlib(std::string_view data, std::string &out, std::size_t maxSize = kMaxInflatedSize);
// One complete zlib stream of the data at the default level; false only when zlib fails.
bool DeflateZlib(std::string_view data, std::string &out);

} // namespace vt
