#include "prefault_ahead.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <system_error>

namespace vt {

TPrefaultAhead::TPrefaultAhead(void *begin, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
  if (!begin || size < kMinSize) return;
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(begin);
  // Whole pages inside the block only: a page it shares with other memory is faulted as written.
  const std::uintptr_t first = (start + page - 1) & ~(page - 1);
  const std::uintptr_t end = (start + size) & ~(page - 1);
  if (end <= first) return;
  try {
    FThread = std::jthread([first, end](std::stop_token stop) {
      for (std::uintptr_t at = first; at < end && !stop.stop_requested();) {
        const std::uintptr_t n = std::min<std::uintptr_t>(kStep, end - at);
        // Pages already there are left as they are; a kernel without the advice says EINVAL.
        if (madvise(reinterpret_cast<void *>(at), n, MADV_POPULATE_WRITE) != 0) return;
        at += n;
      }
    });
  } catch (const std::system_error &) {
    // No thread to spare: the pages come as they are written.
  }
#else
  (void)begin;
  (void)size;
#endif
}

TPrefaultAhead::~TPrefaultAhead() {
  if (FThread.joinable()) FThread.request_stop(); // the jthread joins
}

} // namespace vt
