// Project open/save and text conversion, each next to its floor: reading the same files and
// splitting them into lines, and writing the same bytes. Peak memory of an open is measured in a
// child process (this program re-run with --open-child) so the benchmark's own data does not count.
#include "project_generator.h"

#include "model/trans_man.h"
#include "model/word_list.h"
#include "support/file_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TProjectOnDisk {
  fs::path Folder;
  vt::bench::TGeneratedFiles Files;
};

fs::path BenchRoot() {
  static const fs::path root = [] {
    fs::path p = fs::temp_directory_path() / ("vt_bench_files_" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
  }();
  return root;
}

const TProjectOnDisk &Project(std::size_t entries) {
  static std::map<std::size_t, TProjectOnDisk> made;
  auto it = made.find(entries);
  if (it != made.end()) return it->second;
  TProjectOnDisk p;
  p.Folder = BenchRoot() / std::to_string(entries);
  fs::create_directories(p.Folder);
  p.Files = vt::bench::WriteProject(p.Folder.string(), "Bench", entries, 7, true);
  return made.emplace(entries, std::move(p)).first->second;
}

std::size_t SplitLines(std::string_view bytes, std::vector<std::string_view> &lines) {
  lines.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || bytes[i] == '\r') {
      lines.push_back(bytes.substr(start, i - start));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines.size();
}

void BM_ReadAndSplitFloor(benchmark::State &state) {
  const auto &p = Project(static_cast<std::size_t>(state.range(0)));
  std::string bytes;
  std::vector<std::string_view> lines;
  for (auto _ : state) {
    std::size_t n = 0;
    for (const auto *path : {&p.Files.SrcLng, &p.Files.KxLng, &p.Files.AutoLng}) {
      vt::ReadFileBytes(*path, bytes);
      n += SplitLines(bytes, lines);
    }
    benchmark::DoNotOptimize(n);
  }
  state.counters["file_MB"] = static_cast<double>(p.Files.Bytes) / 1e6;
}

void BM_Open(benchmark::State &state) {
  const auto &p = Project(static_cast<std::size_t>(state.range(0)));
  std::size_t entries = 0;
  for (auto _ : state) {
    vt::TRef<vt::TWordList> list(new vt::TWordList());
    if (!list->Open(p.Files.KxLng)) state.SkipWithError("open failed");
    entries = list->Items.Count();
    state.PauseTiming(); // freeing the project is not part of opening it
    list = {};
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(entries);
}

void BM_Save(benchmark::State &state) {
  const auto &p = Project(static_cast<std::size_t>(state.range(0)));
  vt::TRef<vt::TWordList> list(new vt::TWordList());
  if (!list->Open(p.Files.KxLng)) state.SkipWithError("open failed");
  for (auto _ : state) {
    list->Modified = true;
    if (!list->Save()) state.SkipWithError("save failed");
  }
  state.counters["kxLng_MB"] = static_cast<double>(list->TransIni->ToBytes().size()) / 1e6;
}

void BM_WriteFloor(benchmark::State &state) {
  const auto &p = Project(static_cast<std::size_t>(state.range(0)));
  std::string bytes;
  vt::ReadFileBytes(p.Files.KxLng, bytes);
  const std::string target = (p.Folder / "floor.bin").string();
  for (auto _ : state) vt::WriteFileAtomic(target, bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

long PeakKbOfOpenInChild(const std::string &path) {
  // A fresh process (not a fork: it would inherit this one's high-water mark) reports its own.
  char self[4096] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  const std::string cmd = std::string(self, static_cast<std::size_t>(n)) + " --open-child '" + path + "'";
  std::FILE *pipe = ::popen(cmd.c_str(), "r");
  if (!pipe) return -1;
  long kb = -1;
  if (std::fscanf(pipe, "%ld", &kb) != 1) kb = -1;
  return ::pclose(pipe) == 0 ? kb : -1;
}

long PeakKbOfThisProcess() {
  std::FILE *f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
  std::fclose(f);
  return kb;
}

void BM_PeakMemoryOfOpen(benchmark::State &state) {
  const auto &p = Project(static_cast<std::size_t>(state.range(0)));
  long peakKb = 0;
  for (auto _ : state) {
    peakKb = PeakKbOfOpenInChild(p.Files.KxLng);
    if (peakKb < 0) state.SkipWithError("child failed");
  }
  // The goal counts the two project files (source and translation) that the project consists of.
  const double twoFiles = static_cast<double>(fs::file_size(p.Files.SrcLng) + fs::file_size(p.Files.KxLng));
  state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
  state.counters["two_files_MB"] = twoFiles / 1e6;
  state.counters["peak_per_file_byte"] = static_cast<double>(peakKb) * 1024.0 / twoFiles;
}

std::vector<std::u16string> SampleTexts() {
  std::vector<std::u16string> texts;
  for (int i = 0; i < 1000; ++i) {
    std::u16string t = u"Open the selected layer in a new window";
    if (i % 3 == 0) t += u"\r\nSecond line with \u00FC and \u20AC";
    if (i % 7 == 0) t += u"\tC:\\path\\file";
    if (i % 11 == 0) t += u"\U0001F600";
    texts.push_back(std::move(t));
  }
  return texts;
}

void BM_EncodeText(benchmark::State &state) {
  const auto texts = SampleTexts();
  std::size_t bytes = 0;
  for (auto _ : state)
    for (const auto &t : texts) {
      auto s = vt::TTransMan::EncodeText(t);
      bytes += s.size();
      benchmark::DoNotOptimize(s);
    }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * texts.size()));
}

void BM_DecodeText(benchmark::State &state) {
  std::vector<std::string> stored;
  for (const auto &t : SampleTexts()) stored.push_back(vt::TTransMan::EncodeText(t));
  stored.push_back("caf\xE9 au lait"); // the Windows-1252 fall-back
  std::size_t bytes = 0;
  for (auto _ : state)
    for (const auto &s : stored) {
      auto w = vt::TTransMan::DecodeText(s);
      bytes += s.size();
      benchmark::DoNotOptimize(w);
    }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * stored.size()));
}

void Sizes(benchmark::internal::Benchmark *b) {
  b->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ReadAndSplitFloor)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_Open)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_WriteFloor)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_Save)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_PeakMemoryOfOpen)->Apply(Sizes)->Iterations(1);
BENCHMARK(BM_EncodeText);
BENCHMARK(BM_DecodeText);

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--open-child") {
    vt::TRef<vt::TWordList> list(new vt::TWordList());
    if (!list->Open(argv[2])) return 1;
    std::printf("%ld\n", PeakKbOfThisProcess());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(BenchRoot(), ec);
  return 0;
}
