#pragma once
// "compress test": a text through zlib and back, with the byte counts in the log.
#include "grab_log.h"

#include <string>
#include <string_view>

namespace vt {

// Deflates text, logs its size + " in" and the compressed size + " out", inflates the result into
// back. False (and back untouched) when the round trip fails.
bool CompressTest(std::string_view text, TGrabLog &log, std::string &back);

} // namespace vt
