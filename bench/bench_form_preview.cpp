// The form preview of a 500-control form in a 1,000,000-entry project: reading the form text into
// widgets, the refresh that runs after every committed edit (preview store and texts), and the fit
// check. Targets: load 100 ms, refresh 20 ms, fit check 50 ms.
#include "bench/project_generator.h"
#include "bench/window_bench.h"
#include "client/core/form_preview_store.h"
#include "client/prev_dfm_frm.h"
#include "model/word_list.h"
#include "support/file_io.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr const char *kSection = "TID_BigForm";

// 500 controls: ten group boxes and a page control of two sheets, each with rows of a label, an
// edit, a combo box, a check box and a button, and a toolbar panel of tool buttons.
std::string BigFormText() {
  std::string t = "object TID_BigForm: TTntForm\n  Width = 1200\n  Height = 900\n  Caption = 'Big'\n";
  int n = 0;
  const auto control = [&](std::string &out, const std::string &indent, const char *cls, int left, int top,
                           int width, const std::string &textProp) {
    const std::string name = std::string(cls + 1) + std::to_string(++n);
    out += indent + "object " + name + ": " + cls + "\n";
    out +=
        indent + "  Left = " + std::to_string(left) + "\n" + indent + "  Top = " + std::to_string(top) + "\n";
    out += indent + "  Width = " + std::to_string(width) + "\n" + indent + "  Height = 21\n";
    if (!textProp.empty()) out += indent + "  " + textProp + " = 'Text of " + name + "'\n";
    out += indent + "end\n";
  };
  const auto rows = [&](std::string &out, const std::string &indent, int count) {
    for (int r = 0; r < count; ++r) {
      const int top = 20 + r * 24;
      control(out, indent, "TTntLabel", 8, top, 80, "Caption");
      control(out, indent, "TTntEdit", 90, top, 60, "Text");
      control(out, indent, "TTntComboBox", 155, top, 60, "");
      control(out, indent, "TTntCheckBox", 220, top, 50, "Caption");
      control(out, indent, "TTntButton", 275, top, 40, "Caption");
    }
  };
  for (int g = 0; g < 9; ++g) {
    t += "  object Group" + std::to_string(g) +
         ": TTntGroupBox\n    Left = " + std::to_string((g % 4) * 300) +
         "\n    Top = " + std::to_string((g / 4) * 300) +
         "\n    Width = 320\n    Height = 290\n    Caption = 'Group'\n";
    rows(t, "    ", 10);
    t += "  end\n";
  }
  t += "  object Pages: TTntPageControl\n    Left = 0\n    Top = 600\n    Width = 1200\n    Height = 250\n";
  for (int s = 0; s < 2; ++s) {
    t += "    object Sheet" + std::to_string(s) + ": TTntTabSheet\n      Caption = 'Sheet'\n";
    rows(t, "      ", 4);
    t += "    end\n";
  }
  t += "  end\n  object Toolbar: TPanel\n    Left = 0\n    Top = 860\n    Width = 1200\n    Height = 40\n    "
       "Tag = 1234\n";
  for (int b = 0; b < 20; ++b) {
    const std::string name = "tb" + std::to_string(b);
    t += "    object " + name + ": TStaticHotBtn\n      Left = " + std::to_string(b * 50) +
         "\n      Top = 0\n      Width = 48\n      Height = 38\n      ToolText.Caption = 'Tool " + name +
         "'\n    end\n";
  }
  return t + "  end\nend\n";
}

struct TFixture {
  QTemporaryDir Dir;
  vt::TRef<vt::TWordList> ProjectRef{new vt::TWordList()};
  vt::TWordList &Project = *ProjectRef;
  std::string FormFile;
  int Controls = 0;

  TFixture() {
    vt::bench::FillProject(Project, 1000000);
    const std::string text = BigFormText();
    FormFile = QDir(Dir.path()).filePath(QStringLiteral("TTID_BigForm.dfmp")).toStdString();
    vt::WriteFileAtomic(FormFile, text);
    // The section's entries: a translation for every text of the form, some of them long.
    std::size_t at = 0;
    while ((at = text.find("  object ", at)) != std::string::npos) {
      at += 9;
      const std::string name = text.substr(at, text.find(':', at) - at);
      ++Controls;
      vt::TWordObj *e = Project.AddEntry(kSection, name, "VC", "Text of " + name);
      e->Translation = Controls % 7 == 0 ? "Un texto bastante largo para " + name : "Texto de " + name;
    }
    Project.Sections.push_back(kSection);
  }
};

TFixture &Fixture() {
  static TFixture *fixture = new TFixture;
  return *fixture;
}

// The preview window on the fixture's form text, read into widgets.
void LoadForm(vt::TPrevDfmFrm &form, const TFixture &f) {
  form.SectionName = QString::fromLatin1(kSection);
  form.FormTextFile = f.FormFile;
  form.LoadFormText();
}

void BM_LoadFormText(benchmark::State &state) {
  TFixture &f = Fixture();
  for (auto _ : state) {
    vt::TPrevDfmFrm form;
    form.SectionName = QString::fromLatin1(kSection);
    form.FormTextFile = f.FormFile;
    if (!form.LoadFormText()) state.SkipWithError("form text not read");
  }
  state.counters["controls"] = f.Controls;
}
BENCHMARK(BM_LoadFormText)->Unit(benchmark::kMillisecond);

void BM_RefreshAfterEdit(benchmark::State &state) {
  TFixture &f = Fixture();
  vt::TPrevDfmFrm form;
  LoadForm(form, f);
  const std::vector<std::string> names = form.ComponentNames();
  for (auto _ : state) {
    const vt::TIniFile store = vt::BuildPreviewStore(f.Project, kSection, names);
    form.ApplyTexts(&store);
    form.TextStore = nullptr;
  }
  state.counters["entries"] = static_cast<double>(f.Project.Items.Raw().size());
}
BENCHMARK(BM_RefreshAfterEdit)->Unit(benchmark::kMillisecond);

// The two halves of the refresh.
void BM_BuildPreviewStore(benchmark::State &state) {
  TFixture &f = Fixture();
  vt::TPrevDfmFrm form;
  LoadForm(form, f);
  const std::vector<std::string> names = form.ComponentNames();
  for (auto _ : state) benchmark::DoNotOptimize(vt::BuildPreviewStore(f.Project, kSection, names));
}
BENCHMARK(BM_BuildPreviewStore)->Unit(benchmark::kMillisecond);

void BM_ApplyTexts(benchmark::State &state) {
  TFixture &f = Fixture();
  vt::TPrevDfmFrm form;
  LoadForm(form, f);
  const vt::TIniFile store = vt::BuildPreviewStore(f.Project, kSection, form.ComponentNames());
  for (auto _ : state) form.ApplyTexts(&store);
}
BENCHMARK(BM_ApplyTexts)->Unit(benchmark::kMillisecond);

void BM_FitCheck(benchmark::State &state) {
  TFixture &f = Fixture();
  vt::TPrevDfmFrm form;
  LoadForm(form, f);
  const vt::TIniFile store = vt::BuildPreviewStore(f.Project, kSection, form.ComponentNames());
  form.ApplyTexts(&store);
  std::size_t findings = 0;
  for (auto _ : state) findings = form.CheckFit().size();
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_FitCheck)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  return vt::bench::RunWindowBenchmarks(argc, argv);
}
