// The marked-message scan over a 100 MB executable image.
#include "tools/message_scan.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// Machine-code-like noise (every byte value, "(" included) with a marked message every 64 KiB.
const std::string &Image() {
  static const std::string image = [] {
    std::string s(100u << 20, '\0');
    std::mt19937_64 rng(42);
    for (std::size_t i = 0; i + 8 <= s.size(); i += 8) {
      const std::uint64_t v = rng();
      for (int k = 0; k < 8; ++k) s[i + static_cast<std::size_t>(k)] = static_cast<char>(v >> (8 * k));
    }
    const std::string msg = "(__Unable to open the file %s.__)";
    for (std::size_t at = 1000; at + msg.size() < s.size(); at += 65536) s.replace(at, msg.size(), msg);
    return s;
  }();
  return image;
}

void BM_ScanMessages100MB(benchmark::State &state) {
  const std::string &image = Image();
  std::size_t found = 0;
  for (auto _ : state) {
    auto messages = vt::ScanMessages(image);
    found = messages.size();
    benchmark::DoNotOptimize(messages);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size()));
  state.counters["messages"] = static_cast<double>(found);
}
BENCHMARK(BM_ScanMessages100MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
