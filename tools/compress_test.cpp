#include "compress_test.h"

#include "zlib_stream.h"

namespace vt {

bool CompressTest(std::string_view text, TGrabLog &log, std::string &back) {
  std::string packed, unpacked;
  if (!DeflateZlib(text, packed)) return false;
  log.Add(std::to_string(text.size()) + " in");
  log.Add(std::to_string(packed.size()) + " out");
  if (!InflateZlib(packed, unpacked, text.size())) return false;
  back = std::move(unpacked);
  return true;
}

} // namespace vt
