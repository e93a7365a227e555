#include "support/parallel_parts.h"

#include <algorithm>
#include <exception>
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
  // What each part threw, handed to the calling thread once all are done.
  std::vector<std::exception_ptr> failures(parts);
  const auto run = [&](std::size_t part) {
    try {
      fn(part, begin(part), begin(part + 1));
    } catch (...) {
      failures[part] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(parts - 1);
  std::size_t started = 1;
  try {
    for (; started < parts; ++started) threads.emplace_back(run, started);
  } catch (...) {
    // No thread to be had: the parts left run here.
  }
  run(0);
  for (std::size_t p = started; p < parts; ++p) run(p);
  for (std::thread &t : threads) t.join();
  for (const std::exception_ptr &failure : failures)
    if (failure) std::rethrow_exception(failure);
}

} // namespace vt
