// The scan for marked messages over arbitrary bytes: every text it gives is one line of
// printable bytes, and no more texts than opening markers.
#include "tools/message_scan.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  const auto texts = vt::ScanMessages(bytes);
  std::size_t openings = 0;
  for (std::size_t at = bytes.find("(__"); at != std::string_view::npos; at = bytes.find("(__", at + 1))
    ++openings;
  if (texts.size() > openings) __builtin_trap();
  for (const auto &t : texts) {
    if (t.empty() || t.size() > 2 * vt::kMaxMessageSpan) __builtin_trap();
    for (const char c : t)
      if (static_cast<unsigned char>(c) < 32) __builtin_trap();
  }
  return 0;
}
