// How long the local translation service's engine takes: warm answers, and a cold pipeline.
#include "services/mtserver/apertium_engine.h"

#include <benchmark/benchmark.h>

namespace {

vt::mtserver::TApertiumEngine &Engine() {
  static vt::mtserver::TApertiumEngine engine;
  return engine;
}

void BM_WarmTranslateLine(benchmark::State &state) {
  auto &engine = Engine();
  if (!engine.Translate("en", "es", "Warm up")) state.SkipWithError("Apertium eng-spa is not installed");
  for (auto _ : state)
    benchmark::DoNotOptimize(engine.Translate("en", "es", "Open the file in a new window"));
}
BENCHMARK(BM_WarmTranslateLine)->Unit(benchmark::kMillisecond);

void BM_ReverseWithDetection(benchmark::State &state) {
  auto &engine = Engine();
  if (!engine.Translate("auto", "en", "Abrir")) state.SkipWithError("no reverse pairs installed");
  for (auto _ : state) benchmark::DoNotOptimize(engine.Translate("auto", "en", "Guardar el archivo"));
}
BENCHMARK(BM_ReverseWithDetection)->Unit(benchmark::kMillisecond);

// A fresh engine per iteration: what one process per request would cost.
void BM_ColdPipelineFirstAnswer(benchmark::State &state) {
  for (auto _ : state) {
    vt::mtserver::TApertiumEngine engine;
    benchmark::DoNotOptimize(engine.Translate("en", "es", "Open the file"));
  }
}
BENCHMARK(BM_ColdPipelineFirstAnswer)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
