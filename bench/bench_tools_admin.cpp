// The administrator's file comparison over two large translation files, and the manual tree parser
// over a file of a million lines.
#include "tools/compare_lng.h"
#include "tools/help_tree.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string TempFile(const std::string &name) {
  return (std::filesystem::temp_directory_path() / ("vt_bench_admin_" + name)).string();
}

// A translation file of entries keys in sections of 1000, as the product's forms give them; every
// tenth value of the second file differs.
std::string WriteLngFile(std::size_t entries, bool changed) {
  const std::string path = TempFile(std::to_string(entries) + (changed ? "_b.kxLng" : "_a.kxLng"));
  if (std::filesystem::exists(path)) return path;
  std::string text = "[_info]\r\nDestLng=de\r\n";
  text.reserve(entries * 64);
  for (std::size_t i = 0; i < entries; ++i) {
    if (i % 1000 == 0) text += "[Form" + std::to_string(i / 1000) + "]\r\n";
    text += "btnControl" + std::to_string(i) + ".VC=[~]Uebersetzung von Eintrag " + std::to_string(i);
    if (changed && i % 10 == 0) text += " (neu)";
    text += "\r\n";
  }
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

void BM_CompareLngFiles(benchmark::State &state) {
  const auto entries = static_cast<std::size_t>(state.range(0));
  const std::string a = WriteLngFile(entries, false), b = WriteLngFile(entries, true);
  std::size_t lines = 0;
  for (auto _ : state) {
    std::vector<std::string> out;
    vt::CompareLngFiles(a, b, out);
    lines = out.size();
    benchmark::DoNotOptimize(out);
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CompareLngFiles)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A manual of 1,000,000 lines: chapters of pages, each page four lines plus its close.
std::string WriteManualTree() {
  const std::string path = TempFile("manualtree.txt");
  if (std::filesystem::exists(path)) return path;
  std::string text = "[\r\nT=Manual\r\n";
  std::size_t lines = 2, page = 0;
  while (lines + 6 < 1000000) {
    if (page % 100 == 0) {
      if (page) text += "]\r\n";
      text += "[\r\nT=Chapter " + std::to_string(page / 100) + "\r\n";
      lines += 3;
    }
    text += "<\r\nF=page" + std::to_string(page) + ".htm\r\nT=Page title " + std::to_string(page) +
            "\r\nK=keyword\r\n>\r\n";
    lines += 5;
    ++page;
  }
  text += "]\r\n]\r\n";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

void BM_ManualTree1M(benchmark::State &state) {
  const std::string path = WriteManualTree();
  std::size_t lines = 0;
  for (auto _ : state) {
    std::unique_ptr<vt::THelpNode> root;
    vt::ReadHelpTree(path, root);
    const auto out = vt::HelpTreeLines(*root);
    lines = out.size();
    benchmark::DoNotOptimize(out);
  }
  state.counters["nodes"] = static_cast<double>(lines - 1);
}
BENCHMARK(BM_ManualTree1M)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
