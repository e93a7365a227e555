// In-process timings on a project opened from its files, each beside its floor in the same run:
// Save against writing the translation file's bytes from memory (with nothing edited, and with a
// hundred entries edited before each save), and the main list's filter
// pipeline (all sections, "contains", de-duplication, sort). Prints "name wall_ms cpu_ms" lines
// with the median of REPS runs.
//
//   project_runs PROJECT.kxLng [REPS]
#include "bench/bench_clock.h"
#include "model/ids.h"
#include "model/word_list.h"
#include "support/file_io.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

using vt::bench::CpuMs;

double WallMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct TMedian {
  std::vector<double> Wall, Cpu;
  void Add(double wall, double cpu) {
    Wall.push_back(wall);
    Cpu.push_back(cpu);
  }
  static double Of(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
  }
  void Print(const char *name) const { std::printf("%s %.3f %.3f\n", name, Of(Wall), Of(Cpu)); }
};

void Time(TMedian &m, const std::function<void()> &fn) {
  const double w = WallMs(), c = CpuMs();
  fn();
  m.Add(WallMs() - w, CpuMs() - c);
}

void Pipeline(vt::TWordList &p, const char *text) {
  p.Select(vt::section::All, "", 0, 0);
  p.FilterByText(text, vt::TTextMatch::Contains);
  p.RemoveDuplicateSources();
  p.SortSelection(vt::TSortColumn::Name, false);
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: project_runs PROJECT.kxLng [REPS]\n");
    return 2;
  }
  const std::string path = argv[1];
  const int reps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  vt::TRef<vt::TWordList> list(new vt::TWordList());
  TMedian open;
  Time(open, [&] { list->Open(path); });
  if (list->Items.Empty()) return 1;
  open.Print("open_in_process");

  // The first run after a load builds the index's source groups and ranks.
  TMedian first, contains, containsE, save, floor;
  Time(first, [&] { Pipeline(*list, "open"); });
  first.Print("pipeline_first");
  for (int i = 0; i < reps; ++i) {
    Time(contains, [&] { Pipeline(*list, "open"); });
    Time(containsE, [&] { Pipeline(*list, "e"); });
  }
  std::printf("pipeline_shown %zu\n", list->Selection.Count());
  list->ClearSelection();
  contains.Print("pipeline_contains_open");
  containsE.Print("pipeline_contains_e");

  std::string bytes;
  vt::ReadFileBytes(list->TransIni->FileName(), bytes);
  const std::string floorPath = list->TransIni->FileName() + ".floor";
  for (int i = 0; i < reps; ++i) {
    Time(floor, [&] { vt::WriteFileAtomic(floorPath, bytes); });
    Time(save, [&] {
      list->Modified = true;
      if (!list->Save()) std::fprintf(stderr, "save failed\n");
    });
  }
  // The usual save: a few entries edited since the last one (the edits are not timed).
  TMedian edited;
  for (int i = 0; i < reps; ++i) {
    const std::size_t count = list->Items.Count();
    for (std::size_t k = 0; k < 100; ++k)
      list->Items[(static_cast<std::size_t>(i) * 7919 + k * 104729) % count]->Translation =
          "edited " + std::to_string(i) + "/" + std::to_string(k);
    Time(edited, [&] {
      list->Modified = true;
      if (!list->Save()) std::fprintf(stderr, "save failed\n");
    });
  }
  std::remove(floorPath.c_str());
  floor.Print("write_floor");
  save.Print("save");
  edited.Print("save_100_edits");
  return 0;
}
