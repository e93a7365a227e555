// Compiled language files: one compile at 100k and 1M entries, and the batch compile of ten raw
// data files of 100k entries each against one project of 1M entries (the project read once).
// Peak resident memory of the process is reported as a counter (run one benchmark per process to
// read it per case).
#include "tools/batch_project.h"
#include "tools/compile.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::filesystem::path kDir = std::filesystem::temp_directory_path() / "vt_bench_compile";

std::string File(const std::string &name) {
  return (kDir / name).string();
}

// Raw data as extraction writes it: forms of 250 objects, each a class name, a caption, a hint and
// a tool hint (the hidden class names are not counted), and 2% of the entries as messages. parts
// files split the same entries into consecutive pieces. The project (source and translation file)
// covers all of them: 80% translated, every fifth with a status prefix, tool hints with a bar.
void WriteSet(const std::string &base, std::size_t entries, std::size_t parts) {
  if (std::filesystem::exists(File(base + ".kxLng"))) return;
  std::filesystem::create_directories(kDir);
  std::string src, kx = "[_info]\r\nDestLng=de\r\n\r\n", msgSrc = "[Messages]\r\n", msgKx = "[Messages]\r\n";
  std::vector<std::string> raws(parts);
  const std::size_t messages = entries / 50, perPart = (entries - messages) / parts;
  static const char *kKinds[] = {"VC", "VH", "THF"};
  for (std::size_t i = 0; i + messages < entries; ++i) {
    const std::size_t obj = i / 3;
    std::string &raw = raws[std::min(i / perPart, parts - 1)];
    const std::string section = "TID_Form" + std::to_string(obj / 250);
    if (obj % 250 == 0 && i % 3 == 0) {
      raw += "\r\n[" + section + "]\r\n";
      src += "\r\n[" + section + "]\r\n";
      kx += "\r\n[" + section + "]\r\n";
    } else if (i % perPart == 0) {
      raw += "[" + section + "]\r\n";
    }
    const std::string name = "btnControl" + std::to_string(obj);
    if (i % 3 == 0) raw += name + "._CN=TStaticHotBtn\r\n";
    const char *kind = kKinds[i % 3];
    const std::string text = std::string(i % 3 == 2 ? "Short text " : "Text of entry ") + std::to_string(i) +
                             (i % 3 == 2 ? "|The long hint of entry " + std::to_string(i) : "");
    raw += name + "." + kind + "=" + text + "\r\n";
    src += name + "." + kind + "=" + text + "\r\n";
    if (i % 5 != 4)
      kx += name + "." + kind + "=" + (i % 5 == 0 ? "[~]" : "") + "Uebersetzung " + text + "\r\n";
  }
  for (std::size_t m = 0; m < messages; ++m) {
    const std::string key = "Vantreo_" + std::to_string(m) + "_.msg",
                      text = "Message number " + std::to_string(m);
    raws[m % parts] += (m < parts ? "\r\n[Messages]\r\n" : "") + key + "=" + text + "\r\n";
    msgSrc += key + "=" + text + "\r\n";
    if (m % 5 != 4) msgKx += key + "=Meldung [nummer] " + std::to_string(m) + "\r\n";
  }
  for (std::size_t p = 0; p < parts; ++p)
    std::ofstream(File(base + "_" + std::to_string(p) + ".rawmi"), std::ios::binary) << raws[p];
  std::ofstream(File(base + ".SrcLng"), std::ios::binary) << src << msgSrc;
  std::ofstream(File(base + ".kxLng"), std::ios::binary) << kx << msgKx;
}

void PeakRss(benchmark::State &state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_Compile(benchmark::State &state) {
  const auto entries = static_cast<std::size_t>(state.range(0));
  const std::string base = "one" + std::to_string(entries);
  WriteSet(base, entries, 1);
  for (auto _ : state) {
    vt::TGrabLog log;
    if (vt::Compile(File(base + "_0.rawmi"), File(base + ".kxLng"), File(base + ".out.kxLng"), log,
                    nullptr) != vt::ECompileResult::Written)
      state.SkipWithError("compile failed");
  }
  state.counters["entries"] = static_cast<double>(entries);
  PeakRss(state);
}
BENCHMARK(BM_Compile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_BatchCompile(benchmark::State &state) {
  WriteSet("batch", 1000000, 10);
  vt::TBatchProject batch;
  batch.FileName = File("Bench.BatchPrj");
  for (int p = 0; p < 10; ++p) batch.ExtractedFiles.push_back(File("batch_" + std::to_string(p) + ".rawmi"));
  std::filesystem::create_directories(kDir / "out");
  for (auto _ : state) {
    vt::TGrabLog log;
    const vt::TBatchCompileResult r = vt::BatchCompile(
        batch, File("batch.kxLng"), File("out"), [](const std::string &) { return true; }, log, nullptr);
    if (r.Written.size() != 10) state.SkipWithError("batch compile failed");
  }
  PeakRss(state);
}
BENCHMARK(BM_BatchCompile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
