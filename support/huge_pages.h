#pragma once
// Memory for large buffers that are filled once and read for long (files as read, a project's
// entries): advised for huge pages where the system lends them, so that filling a buffer takes one
// page fault per 2 MiB instead of one per 4 KiB.
#include <cstddef>
#include <memory>

namespace vt {

// Advises the 2 MiB-aligned interior of [data, data + size) for huge pages; nothing where the
// system has no such advice. Memory not touched yet gains the most.
void AdviseHugePages(void *data, std::size_t size);

struct TFreeBytes {
  void operator()(char *p) const noexcept;
};
using THugeBytes = std::unique_ptr<char[], TFreeBytes>;
// Uninitialized bytes, at least size of them (never none), aligned to 2 MiB when size is at least
// that and advised for huge pages; null when there is no memory.
THugeBytes AllocateHugeBytes(std::size_t size);

} // namespace vt
