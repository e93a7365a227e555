#include "crash_log.h"

#include "signal_safe_io.h"

#include <atomic>
#include <cstring>
#include <iostream>

namespace vt {

namespace {

struct TLogSlot {
  char Text[kCrashLogLineBytes];
  std::size_t Size;
};

TLogSlot GSlots[kCrashLogLines];
// Lines written so far; the slot of line n is n % kCrashLogLines.
std::atomic<std::size_t> GWritten{0};

} // namespace

void RememberLogLine(std::string_view line) {
  const std::size_t n = GWritten.load(std::memory_order_relaxed);
  TLogSlot &slot = GSlots[n % kCrashLogLines];
  const std::size_t size = std::min(line.size(), kCrashLogLineBytes);
  for (std::size_t i = 0; i < size; ++i) {
    const char c = line[i];
    slot.Text[i] = (c == '\n' || c == '\r') ? ' ' : c;
  }
  slot.Size = size;
  GWritten.store(n + 1, std::memory_order_release);
}

void LogLine(std::string_view line) {
  std::cerr << line << std::endl;
  RememberLogLine(line);
}

std::vector<std::string> RecentLogLines() {
  const std::size_t written = GWritten.load(std::memory_order_acquire);
  const std::size_t first = written > kCrashLogLines ? written - kCrashLogLines : 0;
  std::vector<std::string> lines;
  lines.reserve(written - first);
  for (std::size_t n = first; n < written; ++n) {
    const TLogSlot &slot = GSlots[n % kCrashLogLines];
    lines.emplace_back(slot.Text, slot.Size);
  }
  return lines;
}

void ClearLogLines() {
  GWritten.store(0, std::memory_order_release);
}

void WriteRecentLogLines(int fd) noexcept {
  const std::size_t written = GWritten.load(std::memory_order_acquire);
  const std::size_t first = written > kCrashLogLines ? written - kCrashLogLines : 0;
  for (std::size_t n = first; n < written; ++n) {
    const TLogSlot &slot = GSlots[n % kCrashLogLines];
    SafeWrite(fd, std::string_view(slot.Text, std::min(slot.Size, kCrashLogLineBytes)));
    SafeWrite(fd, "\n");
  }
}

} // namespace vt
