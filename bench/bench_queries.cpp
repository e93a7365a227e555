// The project queries on generated projects of 100,000 and 1,000,000 entries: the main list's
// filter pipeline, the same-source and suggestion lists of one entry, copying a translation to the
// entries with the same source, the hint merge, and the first look-up after a load (index build).
#include "project_generator.h"

#include "model/text_helpers.h"
#include "model/word_list.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>

namespace {

using TProject = vt::TRef<vt::TWordList>;

vt::TWordList &Project(std::size_t entries) {
  static std::map<std::size_t, TProject> made;
  auto it = made.find(entries);
  if (it == made.end()) {
    TProject p(new vt::TWordList());
    vt::bench::FillProject(*p, entries, 7);
    it = made.emplace(entries, std::move(p)).first;
  }
  return *it->second;
}

// Visible entries spread over the project, the same for every run.
std::vector<vt::TWordObj *> Sample(vt::TWordList &p, std::size_t n) {
  std::vector<vt::TWordObj *> out;
  std::mt19937 rng(11);
  while (out.size() < n) {
    vt::TWordObj *e = p.Items[rng() % p.Items.Count()];
    if (!e->Hidden) out.push_back(e);
  }
  return out;
}

// Select all sections, a text filter, de-duplication and the sort of the main list.
void Pipeline(benchmark::State &state, const char *text, vt::TSortColumn column) {
  vt::TWordList &p = Project(static_cast<std::size_t>(state.range(0)));
  std::size_t shown = 0;
  // The first run after a load or an edit builds the index's source groups and ranks (measured by
  // BM_IndexBuild); this measures the runs after it, as the list is filtered again and again.
  p.Select(vt::section::All, "", 0, 0);
  p.RemoveDuplicateSources();
  p.SortSelection(column, false);
  for (auto _ : state) {
    p.Select(vt::section::All, "", 0, 0);
    if (*text) p.FilterByText(text, vt::TTextMatch::Contains);
    p.RemoveDuplicateSources();
    p.SortSelection(column, false);
    shown = p.Selection.Count();
    benchmark::DoNotOptimize(p.CountTranslated());
  }
  state.counters["shown"] = static_cast<double>(shown);
  p.ClearSelection();
}

void BM_PipelineContainsOpenSortById(benchmark::State &s) {
  Pipeline(s, "open", vt::TSortColumn::Id);
}
void BM_PipelineContainsOpenSortByName(benchmark::State &s) {
  Pipeline(s, "open", vt::TSortColumn::Name);
}
// A filter that keeps nearly everything: de-duplication and the sort see the whole project.
void BM_PipelineContainsESortByName(benchmark::State &s) {
  Pipeline(s, "e", vt::TSortColumn::Name);
}
void BM_PipelineNoTextSortByOriginal(benchmark::State &s) {
  Pipeline(s, "", vt::TSortColumn::Original);
}

void BM_UpdateSuggestions(benchmark::State &state) {
  vt::TWordList &p = Project(static_cast<std::size_t>(state.range(0)));
  const auto sample = Sample(p, 256);
  p.FindEntry("warm/up.VC"); // the first look-up builds the index; not what this measures
  p.UpdateSuggestions(sample[0], true, true);
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    p.UpdateSuggestions(sample[i++ % sample.size()], true, true);
    found += p.SimilarItems.Count();
  }
  state.counters["similar"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
  p.UpdateSuggestions(nullptr, true, true);
}

void BM_ApplyToSameSource(benchmark::State &state) {
  vt::TWordList &p = Project(static_cast<std::size_t>(state.range(0)));
  const auto sample = Sample(p, 256);
  p.ApplyToSameSource(sample[0], false);
  std::size_t i = 0, changed = 0;
  for (auto _ : state)
    changed += static_cast<std::size_t>(p.ApplyToSameSource(sample[i++ % sample.size()], true));
  state.counters["changed"] =
      benchmark::Counter(static_cast<double>(changed), benchmark::Counter::kAvgIterations);
}

// A fresh project whose combined hints are split into a short and a full hint entry, as older
// projects have them; a few stay alone.
TProject SplitHintProject(std::size_t entries) {
  TProject p(new vt::TWordList());
  vt::bench::FillProject(*p, entries, 7);
  const std::size_t n = p->Items.Count();
  for (std::size_t i = 0; i < n; ++i) {
    vt::TWordObj *e = p->Items[i];
    if (e->Kind() != "THF") continue;
    std::u16string shortHint, longHint;
    vt::SplitAtBar(e->SourceText(), shortHint, longHint);
    e->SetKind(i % 7 == 0 ? "TF" : "TH");
    e->SetSourceText(shortHint);
    if (i % 5 != 0) p->AddEntry(e->Section(), e->Name(), "TF", "")->SetSourceText(longHint);
  }
  return p;
}

void BM_MergeHints(benchmark::State &state) {
  std::size_t merged = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TProject p = SplitHintProject(static_cast<std::size_t>(state.range(0)));
    const std::size_t before = p->Items.Count();
    state.ResumeTiming();
    p->MergeHints();
    state.PauseTiming();
    merged = before - p->Items.Count();
    p = TProject();
    state.ResumeTiming();
  }
  state.counters["merged"] = static_cast<double>(merged);
}

// What the first look-ups and the first main list after opening a project pay: building the full-id
// and same-source tables, the source groups and the full-id and source ranks.
void BM_IndexBuild(benchmark::State &state) {
  vt::TWordList &p = Project(static_cast<std::size_t>(state.range(0)));
  vt::TWordObj *e = Sample(p, 1)[0];
  const std::string fullId = e->FullId();
  for (auto _ : state) {
    p.ItemsReordered();
    benchmark::DoNotOptimize(p.FindEntry(fullId));
    benchmark::DoNotOptimize(p.FindSimilar(e));
    p.Select(vt::section::All, "", 0, 0);
    p.RemoveDuplicateSources();
    p.SortSelection(vt::TSortColumn::Name, false);
    p.SortSelection(vt::TSortColumn::Original, false);
  }
  p.ClearSelection();
}

} // namespace

BENCHMARK(BM_PipelineContainsOpenSortById)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PipelineContainsOpenSortByName)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PipelineContainsESortByName)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PipelineNoTextSortByOriginal)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateSuggestions)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyToSameSource)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MergeHints)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_IndexBuild)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
