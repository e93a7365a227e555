// The archive's CRC-32 and deflate next to their floor, zlib's own crc32() and compress over the
// same 100 MB of project-like text.
#include "support/zip_file.h"

#include <benchmark/benchmark.h>
#include <string>
#include <zlib.h>

namespace {

const std::string &Text() {
  static const std::string text = [] {
    std::string t;
    t.reserve(100u << 20);
    for (unsigned i = 0; t.size() < (100u << 20); ++i)
      t += "Ctl" + std::to_string(i % 977) + ".TC=[~]Translated text number " + std::to_string(i) + "\r\n";
    t.resize(100u << 20);
    return t;
  }();
  return text;
}

void BM_Crc32(benchmark::State &state) {
  const std::string &t = Text();
  for (auto _ : state) benchmark::DoNotOptimize(vt::TZipFile::Crc32(t));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * t.size()));
}
BENCHMARK(BM_Crc32)->Unit(benchmark::kMillisecond);

void BM_ZlibCrc32(benchmark::State &state) {
  const std::string &t = Text();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        crc32(0, reinterpret_cast<const Bytef *>(t.data()), static_cast<uInt>(t.size())));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * t.size()));
}
BENCHMARK(BM_ZlibCrc32)->Unit(benchmark::kMillisecond);

void BM_SetData(benchmark::State &state) {
  const std::string_view t = std::string_view(Text()).substr(0, 20u << 20);
  for (auto _ : state) {
    vt::TZipFile zip([] { return vt::TZipTime{}; });
    zip.AddFile("a.kxLng", 0);
    zip.SetData(0, t);
    benchmark::DoNotOptimize(zip.Member(0).Data.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * t.size()));
}
BENCHMARK(BM_SetData)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
