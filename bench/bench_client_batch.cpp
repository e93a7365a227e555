// "Captilaize Selected List" in the offscreen window over a selection of about 100,000 entries:
// each entry is made current, capitalized in the editor and stored as a typed edit. Reports the
// process CPU time per entry (the machine is shared, so wall time says little).
#include "bench/bench_clock.h"
#include "bench/project_generator.h"
#include "bench/window_bench.h"
#include "client/trans_client_frm.h"

#include <QAction>
#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using vt::bench::CpuMs;

// Every translation starts with a lower-case letter, so that each entry of the run changes.
void LowerFirstLetters(vt::TWordList &project) {
  for (vt::TWordObj *e : project.Items) {
    std::string stored = e->Translation;
    const std::size_t body = stored.empty() || stored.front() != '[' ? 0 : stored.find(']') + 1;
    if (body < stored.size() && stored[body] >= 'A' && stored[body] <= 'Z') {
      stored[body] = static_cast<char>(stored[body] - 'A' + 'a');
      e->Translation = stored;
    }
  }
}

void BM_CapitalizeSelectedList(benchmark::State &state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto w = std::make_unique<vt::TTransClientFrm3>();
    vt::bench::FillProject(w->CurrentProject(), static_cast<std::size_t>(state.range(0)));
    LowerFirstLetters(w->CurrentProject());
    w->FillSectionList();
    w->show();
    QApplication::processEvents();
    w->ChooseSection(QStringLiteral("[ALL]"));
    const auto selected = static_cast<double>(w->CurrentProject().Selection.Count());
    auto *command = w->findChild<QAction *>(QStringLiteral("CaptilaizeSelected1"));
    state.ResumeTiming();

    const double cpu = CpuMs();
    command->trigger();
    const double spent = CpuMs() - cpu;

    state.PauseTiming();
    std::size_t changed = 0;
    for (const vt::TWordObj *e : w->CurrentProject().Items) changed += e->Changed;
    state.counters["selected"] = selected;
    state.counters["changed"] = static_cast<double>(changed);
    state.counters["cpu_ms_per_entry"] = spent / selected;
    w->CurrentProject().Modified = false;
    w.reset();
    state.ResumeTiming();
  }
}
// About 10% of the generated entries are hidden: 113,800 entries give just over 100,000 selected.
BENCHMARK(BM_CapitalizeSelectedList)->Arg(113800)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  return vt::bench::RunWindowBenchmarks(argc, argv);
}
