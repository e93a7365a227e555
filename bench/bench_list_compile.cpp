// The list run's own cost per row with a translator that answers at once (making each row current,
// the caption, settling, the copy to same-source entries), and the two short compilers over a
// project of 100,000 entries.
#include "project_generator.h"

#include "client/core/compile_project.h"
#include "client/core/list_translate.h"
#include "model/word_list.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::size_t kEntries = 100000;

void BM_ListRunPerRow(benchmark::State &state) {
  vt::TRef<vt::TWordList> project(new vt::TWordList());
  vt::bench::FillProject(*project, kEntries, 7);
  vt::TEntryList rows;
  for (vt::TWordObj *e : project->Items)
    if (!e->Hidden) rows.push_back(e);
  std::vector<std::string> stored;
  for (const vt::TWordObj *e : rows) stored.emplace_back(e->Translation.view());
  vt::TEditSession session;
  session.SetProject(project.get());
  const vt::TCheckedTranslateFn stub = [](const std::string &, const std::string &) {
    return vt::TMachineReply{u"Texto traducido", false};
  };
  vt::TListRunSteps steps;
  std::size_t captions = 0;
  steps.ShowCaption = [&](const std::string &caption) { captions += caption.size(); };
  steps.Translate = [&](vt::TWordObj &entry) {
    return vt::TranslateCurrentByService(session, entry.SourceDisplay(), true, "es", stub);
  };
  for (auto _ : state) {
    state.PauseTiming();
    session.MakeCurrent(nullptr);
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i]->Translation = stored[i];
    state.ResumeTiming();
    const vt::TListRunResult result = vt::RunTranslateList(session, rows, 0, steps);
    session.MakeCurrent(nullptr);
    benchmark::DoNotOptimize(result.Translated);
  }
  state.counters["rows"] = static_cast<double>(rows.size());
  state.counters["per_row"] =
      benchmark::Counter(static_cast<double>(rows.size()),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ListRunPerRow)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

void BM_CompileSelection(benchmark::State &state) {
  vt::TRef<vt::TWordList> project(new vt::TWordList());
  vt::bench::FillProject(*project, kEntries, 7);
  for (auto _ : state) benchmark::DoNotOptimize(vt::CompileSelectionBytes(project->Items.Raw()));
}
BENCHMARK(BM_CompileSelection)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_CompileRaw(benchmark::State &state) {
  vt::TRef<vt::TWordList> project(new vt::TWordList());
  vt::bench::FillProject(*project, kEntries, 7);
  // A raw file that lists every entry with its source, as the extraction writes it.
  std::string bytes;
  std::string_view section;
  for (const vt::TWordObj *e : project->Items) {
    if (e->Section().view() != section) {
      section = e->Section().view();
      bytes.append("[").append(section).append("]\r\n");
    }
    bytes.append(e->Key()).append("=").append(e->Source().view()).append("\r\n");
  }
  vt::TIniFile raw;
  raw.LoadFromBytes(bytes);
  for (auto _ : state) benchmark::DoNotOptimize(vt::CompileRawBytes(*project, raw));
}
BENCHMARK(BM_CompileRaw)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace

BENCHMARK_MAIN();
