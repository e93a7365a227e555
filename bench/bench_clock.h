#pragma once
// The process's CPU time, which the benchmarks report beside (or instead of) wall time: the
// machine is shared, so wall time says little on its own.
#include <ctime>

namespace vt::bench {

// CPU time of the whole process (every thread) in milliseconds since it started.
inline double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

} // namespace vt::bench
