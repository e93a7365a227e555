// A release at 100k and 1M entries: a project following the next release ("Rebuild Dst Prj"), the
// merge of two halves of the raw data ("Add to Dst file"), and the rebuild of the source file with
// an English project and message corrections ("Rebuild SrcLng"). Wall and CPU time per run; the
// peak resident size of the process after each benchmark.
#include "bench/project_generator.h"
#include "support/file_io.h"
#include "tools/project_update.h"
#include "tools/raw_merge.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

fs::path Folder(std::size_t entries) {
  const fs::path dir = fs::temp_directory_path() / ("vt_bench_release_" + std::to_string(entries));
  fs::create_directories(dir);
  return dir;
}

struct TInputs {
  vt::bench::TReleaseFiles Release, Next;
  std::string HalfA, HalfB;
};

// The two releases, and the release's source split into two raw data files that overlap by a tenth
// of its sections.
const TInputs &Inputs(std::size_t entries) {
  static std::map<std::size_t, TInputs> made;
  auto [it, fresh] = made.try_emplace(entries);
  if (!fresh) return it->second;
  TInputs &in = it->second;
  const std::string dir = Folder(entries).string();
  in.Release = vt::bench::WriteRelease(dir, "Release", entries, 1, false);
  in.Next = vt::bench::WriteRelease(dir, "Next", entries, 1, true);
  std::string bytes;
  vt::ReadFileBytes(in.Release.SrcLng, bytes);
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < bytes.size(); at = bytes.find("\r\n", at) + 2) {
    if (bytes[at] == '[') starts.push_back(at);
    if (bytes.find("\r\n", at) == std::string::npos) break;
  }
  const std::size_t n = starts.size();
  const std::size_t endA = starts[n * 55 / 100], startB = starts[n * 45 / 100];
  in.HalfA = dir + "/HalfA.rawmi";
  in.HalfB = dir + "/HalfB.rawmi";
  vt::WriteFileAtomic(in.HalfA, std::string_view(bytes).substr(0, endA), nullptr, vt::TFileSync::NoFlush);
  vt::WriteFileAtomic(in.HalfB, std::string_view(bytes).substr(startB), nullptr, vt::TFileSync::NoFlush);
  return in;
}

void Copy(const std::string &from, const std::string &to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void PeakRss(benchmark::State &state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_UpdateProject(benchmark::State &state) {
  const auto entries = static_cast<std::size_t>(state.range(0));
  const TInputs &in = Inputs(entries);
  const std::string dir = Folder(entries).string();
  vt::TProjectOptions o;
  o.TemplatePath = in.Next.SrcLng;
  o.ProjectPath = dir + "/Project.SrcLng";
  vt::TGrabLog log;
  for (auto _ : state) {
    state.PauseTiming();
    Copy(in.Release.SrcLng, o.ProjectPath);
    Copy(in.Release.KxLng, dir + "/Project.kxLng");
    state.ResumeTiming();
    vt::RebuildDstProject(o, log);
  }
  state.counters["entries"] = static_cast<double>(in.Release.Entries);
  PeakRss(state);
}

void BM_MergeHalves(benchmark::State &state) {
  const auto entries = static_cast<std::size_t>(state.range(0));
  const TInputs &in = Inputs(entries);
  const std::string dest = Folder(entries).string() + "/Merged.rawmi";
  vt::TGrabLog log;
  for (auto _ : state) {
    state.PauseTiming();
    Copy(in.HalfA, dest);
    state.ResumeTiming();
    benchmark::DoNotOptimize(vt::MergeRawFiles(in.HalfB, dest, log));
  }
  state.counters["entries"] = static_cast<double>(in.Release.Entries);
  PeakRss(state);
}

void BM_RebuildWithEnglish(benchmark::State &state) {
  const auto entries = static_cast<std::size_t>(state.range(0));
  const TInputs &in = Inputs(entries);
  vt::TRebuildOptions o;
  o.RawFile = in.Release.SrcLng;
  o.DestFile = Folder(entries).string() + "/Rebuilt.SrcLng";
  o.ApplyEnglish = o.ApplyMessages = true;
  o.EnglishFile = in.Release.EnglishKxLng;
  o.MessageFile = in.Release.MessageList;
  vt::TGrabLog log;
  for (auto _ : state) benchmark::DoNotOptimize(vt::RebuildSrcLng(o, log));
  state.counters["entries"] = static_cast<double>(in.Release.Entries);
  PeakRss(state);
}

BENCHMARK(BM_UpdateProject)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MergeHalves)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RebuildWithEnglish)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
