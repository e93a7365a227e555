// Conversion and extraction of 1,000 forms: binary form to form text, form text to raw-data
// sections, and the whole "Build Raw" run over an executable that carries them.
#include "form_writer.h"
#include "model/ini_file.h"
#include "pe_writer.h"
#include "tools/binary_form.h"
#include "tools/form_section.h"
#include "tools/raw_extract.h"
#include "tools/resource_info.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr int kForms = 1000;

// A dialog of 40 controls with captions, hints, lists, fonts and a binary glyph.
std::string Dialog(int n) {
  vt::test::TFormWriter w;
  const std::string name = "Dialog" + std::to_string(n);
  w.Object("T" + name, name).Prop("Width").Int(640).Prop("Height").Int(480);
  w.Prop("Caption").Str("Settings of part " + std::to_string(n)).EndList();
  w.Object("TLabel", "lbHasGlobalTrans").Prop("Caption").Str("").EndList().EndList();
  for (int i = 0; i < 40; ++i) {
    const std::string id = std::to_string(i);
    w.Object("TButton", "Button" + id).Prop("Left").Int(8 * i).Prop("Width").Int(75);
    w.Prop("Caption").Str("&Apply change number " + id).Prop("Hint").Str("Applies the change\r\nat once");
    w.Prop("Font.Style").Set({"fsBold"});
    if (i % 5 == 0) w.Prop("Items.Strings").List().Str("First").Str("Second").Str("Third").EndList();
    if (i % 10 == 0) w.Prop("Glyph.Data").Binary(std::string(200, '\x33'));
    w.EndList().EndList();
  }
  w.EndList();
  return w.Bytes();
}

const std::vector<std::string> &Forms() {
  static const std::vector<std::string> forms = [] {
    std::vector<std::string> out;
    for (int i = 0; i < kForms; ++i) out.push_back(Dialog(i));
    return out;
  }();
  return forms;
}

void BM_Convert1000Forms(benchmark::State &state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const std::string &f : Forms()) bytes += vt::ConvertBinaryForm(f).size();
  }
  state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_Convert1000Forms)->Unit(benchmark::kMillisecond);

void BM_Sections1000Forms(benchmark::State &state) {
  std::vector<std::vector<std::string>> texts;
  for (const std::string &f : Forms()) texts.push_back(vt::SplitLines(vt::ConvertBinaryForm(f)));
  for (auto _ : state) {
    vt::TIniFile raw;
    for (const auto &lines : texts) {
      auto tree = vt::PrepareForm(lines);
      vt::WriteRawSection(raw, tree->ObjName, vt::BuildFormSection(tree.get()), true);
    }
    benchmark::DoNotOptimize(raw.ToBytes());
  }
}
BENCHMARK(BM_Sections1000Forms)->Unit(benchmark::kMillisecond);

void BM_BuildRaw1000FormExecutable(benchmark::State &state) {
  const auto dir = std::filesystem::temp_directory_path() / "vt_bench_tools_forms";
  std::filesystem::create_directories(dir);
  std::vector<vt::test::TResSpec> res;
  for (int i = 0; i < kForms; ++i) {
    std::u16string name = u"TDIALOG";
    for (char c : std::to_string(100000 + i)) name += static_cast<char16_t>(c);
    res.push_back({10, name, 0, 0x409, Forms()[static_cast<std::size_t>(i)]});
  }
  const std::string exe = (dir / "Product.exe").string();
  const std::string image = vt::test::WritePe(res, true).Bytes;
  std::ofstream(exe, std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));
  vt::TRawOptions o;
  o.ExeFilename = exe;
  o.DstFilename = (dir / "Product.rawmi").string();
  o.doExtractEXE = o.doExtractDfm = o.doExtractMessages = true;
  for (auto _ : state) {
    vt::TGrabSession session;
    vt::TGrabLog log;
    benchmark::DoNotOptimize(vt::BuildRaw(session, o, log));
  }
  state.counters["exe_MB"] = static_cast<double>(image.size()) / 1e6;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_BuildRaw1000FormExecutable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
