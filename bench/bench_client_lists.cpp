// Rebuilding the entry list of a 100,000-entry project and painting its first screen, as the
// window does after a change of section or filter; and scrolling to the end.
#include "bench/project_generator.h"
#include "bench/window_bench.h"
#include "client/trans_client_frm.h"
#include "client/virtual_tree.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace {

template <class T> T *Child(const QObject &window, const char *name) {
  return window.findChild<T *>(QLatin1String(name));
}

vt::TTransClientFrm3 &Window() {
  static vt::TTransClientFrm3 *window = [] {
    auto *w = new vt::TTransClientFrm3;
    vt::bench::FillProject(w->CurrentProject(), 100000);
    w->FillSectionList();
    w->show();
    QApplication::processEvents();
    return w;
  }();
  return *window;
}

// state.range(0): 0 no filter, 1 status filter "Untranslated", 2 that and text filter "contains".
void ConfigureFilters(vt::TTransClientFrm3 &w, int64_t filters) {
  Child<QComboBox>(w, "cbStatus")->setCurrentIndex(filters >= 1 ? 1 : 0);
  Child<QCheckBox>(w, "cTextfilt")->setChecked(filters >= 2);
  Child<QComboBox>(w, "cbSearchMethod")->setCurrentIndex(filters >= 2 ? 2 : 0);
  Child<QLineEdit>(w, "editSearchText")->setText(QStringLiteral("open"));
}

void BM_RebuildAllAndPaint(benchmark::State &state) {
  vt::TTransClientFrm3 &w = Window();
  ConfigureFilters(w, state.range(0));
  w.ChooseSection(QStringLiteral("[ALL]"));
  for (auto _ : state) {
    w.ListboxSectionsClick();
    benchmark::DoNotOptimize(Child<vt::TVirtualTree>(w, "vt1")->grab());
  }
  state.counters["rows"] = static_cast<double>(Child<vt::TVirtualTree>(w, "vt1")->model()->rowCount());
}
BENCHMARK(BM_RebuildAllAndPaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ScrollToEndAndPaint(benchmark::State &state) {
  vt::TTransClientFrm3 &w = Window();
  ConfigureFilters(w, 0);
  w.ChooseSection(QStringLiteral("[ALL]"));
  bool bottom = false;
  for (auto _ : state) {
    bottom = !bottom;
    if (bottom)
      Child<vt::TVirtualTree>(w, "vt1")->scrollToBottom();
    else
      Child<vt::TVirtualTree>(w, "vt1")->scrollToTop();
    benchmark::DoNotOptimize(Child<vt::TVirtualTree>(w, "vt1")->grab());
  }
}
BENCHMARK(BM_ScrollToEndAndPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  return vt::bench::RunWindowBenchmarks(argc, argv);
}
