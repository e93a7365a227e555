#pragma once
// The main of the benchmarks that run real windows: one QApplication on the offscreen platform
// (unless QT_QPA_PLATFORM names another), then every registered benchmark.
#include <QApplication>
#include <benchmark/benchmark.h>

namespace vt::bench {

inline int RunWindowBenchmarks(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

} // namespace vt::bench
