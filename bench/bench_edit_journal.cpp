// The journal of unsaved edits: the cost of one keystroke as the window pays it (the entry's
// values noted, the record written to the file at the end of the command), and reading plus
// replaying a journal of 100,000 records onto a project of 100,000 entries.
#include "project_generator.h"

#include "client/core/edit_journal.h"
#include "model/word_list.h"
#include "support/file_io.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

std::string TempPath(const std::string &name) {
  return (std::filesystem::temp_directory_path() / ("vt-bench-" + std::to_string(::getpid()) + "-" + name))
      .string();
}

// One keystroke: the translation grows by a character, the journal notes it and flushes.
void BM_JournalKeystrokeCommit(benchmark::State &state) {
  vt::TRef<vt::TWordList> project(new vt::TWordList());
  vt::bench::FillProject(*project, 1000, 3);
  vt::TWordObj *entry = project->Items[10];
  const std::string file = TempPath("P.kxLng");
  vt::TEditJournal journal;
  journal.Start(file, false);
  journal.Baseline(*entry);
  std::string text = "Una traduccion de longitud habitual para un boton o una etiqueta";
  std::size_t n = 0;
  for (auto _ : state) {
    text[n++ % text.size()] ^= 1;
    entry->Translation = text;
    journal.Note(*entry);
    if (!journal.Flush()) state.SkipWithError("journal not written");
  }
  journal.Discard();
}
BENCHMARK(BM_JournalKeystrokeCommit)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// 100,000 records read from disk and replayed onto a project of 100,000 entries.
void BM_JournalReplay100k(benchmark::State &state) {
  vt::TRef<vt::TWordList> project(new vt::TWordList());
  vt::bench::FillProject(*project, 100000, 5);
  std::string bytes = vt::FormatJournalHeader("P.kxLng");
  std::size_t i = 0;
  for (std::size_t records = 0; records < 100000; ++i) {
    const vt::TWordObj *e = project->Items[i % project->Items.Count()];
    if (e->Hidden) continue;
    vt::AppendJournalRecord(bytes, e->FullId(), "[?]Texto nuevo numero " + std::to_string(records), "nota");
    ++records;
  }
  const std::string file = TempPath("replay.journal");
  if (!vt::WriteFileAtomic(file, bytes)) state.SkipWithError("cannot write the journal");
  for (auto _ : state) {
    vt::TJournalContents contents;
    vt::ReadJournalFile(file, contents);
    const vt::TReplayResult result = vt::ReplayJournal(*project, "P.kxLng", contents);
    if (result.Applied != 100000) state.SkipWithError("not every record applied");
    benchmark::DoNotOptimize(result);
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
  std::filesystem::remove(file);
}
BENCHMARK(BM_JournalReplay100k)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
