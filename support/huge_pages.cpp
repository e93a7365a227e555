#include "support/huge_pages.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace vt {

namespace {

constexpr std::size_t kHuge = std::size_t{2} << 20;

} // namespace

void AdviseHugePages(void *data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  const auto at = reinterpret_cast<std::uintptr_t>(data);
  const auto begin = (at + kHuge - 1) & ~(std::uintptr_t{kHuge} - 1);
  const auto end = (at + size) & ~(std::uintptr_t{kHuge} - 1);
  if (end > begin) ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

void TFreeBytes::operator()(char *p) const noexcept {
  std::free(p);
}

THugeBytes AllocateHugeBytes(std::size_t size) {
  if (size < kHuge) return THugeBytes(static_cast<char *>(std::malloc(size == 0 ? 1 : size)));
  // aligned_alloc wants a multiple of the alignment.
  const std::size_t rounded = (size + kHuge - 1) & ~(kHuge - 1);
  THugeBytes bytes(static_cast<char *>(std::aligned_alloc(kHuge, rounded)));
  if (bytes) AdviseHugePages(bytes.get(), rounded);
  return bytes;
}

} // namespace vt
