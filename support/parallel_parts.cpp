#include "support/parallel_parts.h"

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

namespace vt {

namespace {

constexpr std::size_t kMaxParts = 8;

std::size_t Cores() {
  static const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return cores;
}

} // namespace

std::size_t PartCount(std::size_t n, std::size_t minPerPart) {
  const std::size_t byLength = n / std::max<std::size_t>(1, minPerPart);
  return std::max<std::size_t>(1, std::min({Cores(), kMaxParts, byLength}));
}

void RunInParts(std::size_t n, std::size_t minPerPart,
                const std::function<void(std::size_t, std::size_t, std::size_t)> &fn) {
  const std::size_t parts = PartCount(n, minPerPart);
  const auto begin = [&](std::size_t part) { return n / parts * part + std::min(part, n % parts); };
  if (parts == 1) {
    fn(0, 0, n);
    return;
  }
  std::vector<std::thread> threads;
  threads.reserve(parts - 1);
  std::size_t started = 1;
  try {
    for (; started < parts; ++started)
      threads.emplace_back(std::cref(fn), started, begin(started), begin(started + 1));
  } catch (...) {
    // No thread to be had: the parts left run here.
  }
  fn(0, 0, begin(1));
  for (std::size_t p = started; p < parts; ++p) fn(p, begin(p), begin(p + 1));
  for (std::thread &t : threads) t.join();
}

} // namespace vt
