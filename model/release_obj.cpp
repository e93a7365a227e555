#include "release_obj.h"

#include <cstdio>
#include <cstdlib>

namespace vt {

void TReleaseObj::Release() noexcept {
  // fetch_sub returns the old value: the new count is old - 1; below 0 means no holder is left.
  if (FRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1 < 0) delete this;
}

TReleaseObj::~TReleaseObj() {
  if (FRefCount.load(std::memory_order_relaxed) >= 0) {
    // A holder still points here: report it loudly; debug builds stop at once.
    std::fprintf(stderr, "Assertion failure (release_obj.cpp, line %d): object destroyed with %d holder(s)\n",
                 __LINE__, static_cast<int>(FRefCount.load(std::memory_order_relaxed) + 1));
#ifndef NDEBUG
    std::abort();
#endif
  }
}

} // namespace vt
