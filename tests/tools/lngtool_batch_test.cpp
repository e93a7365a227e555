// lngtool compile and batch on a copy of examples/: the demo source rebuilt through the batch
// project, the demo project following it, every raw data file compiled, a whole release, and the
// runs that must change nothing.
#include "lngtool_runner.h"
#include "model/ini_file.h"
#include "test_data.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

const std::string kExamples = std::string(VT_SOURCE_DIR) + "/examples";

struct TExamplesCopy {
  TTempDir Dir{"batchcli"};
  TExamplesCopy() { std::filesystem::copy(kExamples, Dir.Path(), std::filesystem::copy_options::recursive); }
  std::string Q(const std::string &name) const { return "'" + Dir.File(name) + "'"; }
  std::string Batch() const { return Q("Release/Demo.BatchPrj"); }
  std::string Err() const { return ReadBytes(Dir.File("err.txt")); }
  TLngtoolResult Run(const std::string &args) const { return Lngtool(args, Dir.File("err.txt")); }
  // Every file below the copy with its bytes.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> out;
    for (const auto &e : std::filesystem::recursive_directory_iterator(Dir.Path()))
      if (e.is_regular_file() && e.path().filename() != "err.txt")
        out[e.path().string()] = ReadBytes(e.path());
    return out;
  }
};

std::vector<std::string> Split(const std::string &text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    out.push_back(text.substr(at, end - at));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return out;
}

} // namespace

TEST(LngtoolBatch, CompileTheExampleAndItsFailures) {
  TTempDir dir("compilecli");
  WriteBytes(dir.File("A.rawmi"),
             "[OptionsDlg]\r\nOptionsDlg._CN=TOptionsDlg\r\nOptionsDlg.VC=Options\r\n"
             "btnOK.VC=OK\r\nbtnOK.VH=Close\\nand save\r\ncbMode.VI=Fast\\nSlow\r\n"
             "tbSave.THF=Save|Save the file\r\n[Messages]\r\nSetup_000_.msg=File missing\r\n");
  WriteBytes(dir.File("De.kxLng"),
             "[_info]\r\nDestLng=de\r\n[OptionsDlg]\r\nOptionsDlg.VC=Optionen\r\n"
             "btnOK.VH=[~]Schliessen\\nund speichern\r\ntbSave.THF=Speichern|Datei speichern\r\n"
             "[Messages]\r\nSetup_000_.msg=Datei fehlt\r\n");
  const std::string args =
      "compile --raw '" + dir.File("A.rawmi") + "' --project '" + dir.File("De.kxLng") + "' --out ";
  const TLngtoolResult r = Lngtool(args + "'" + dir.File("A.kxLng") + "' --echo", dir.File("err.txt"));
  EXPECT_EQ(r.Code, 0);
  EXPECT_EQ(ReadBytes(dir.File("A.kxLng")),
            "[_info]\r\nDestLng=de\r\ndeflng=de\r\n\r\n[OptionsDlg]\r\n"
            "OptionsDlg.VC=Optionen\r\nbtnOK.VH=Schliessen\\nund speichern\r\n"
            "tbSave.TH=Speichern\r\ntbSave.TF=Datei speichern\r\n\r\n[Messages]\r\n"
            "R=File missing\r\nL=Datei fehlt\r\n\r\n");
  EXPECT_EQ(
      r.Out,
      "\n[OptionsDlg]\nOptionsDlg.VC=Optionen\nbtnOK.VH=Schliessen\\nund speichern\ntbSave.TH=Speichern\n"
      "tbSave.TF=Datei speichern\n[Messages]\nR=File missing\nL=Datei fehlt\n\n");
  EXPECT_EQ(ReadBytes(dir.File("err.txt")),
            "Compile: \t" + dir.File("A.rawmi") + "\n[_info]\nDestLng=de\nSection:\tOptionsDlg\n");

  EXPECT_EQ(Lngtool(args + "'" + dir.File("De.kxLng") + "'").Code, 1); // over its own project
  EXPECT_EQ(Lngtool("compile --raw '" + dir.File("none") + "' --project '" + dir.File("De.kxLng") +
                        "' --out '" + dir.File("B.kxLng") + "'",
                    dir.File("err.txt"))
                .Code,
            1);
  EXPECT_NE(ReadBytes(dir.File("err.txt")).find("Not Found!\t" + dir.File("none")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("B.kxLng")));
}

TEST(LngtoolBatch, WithoutYesNothingIsWritten) {
  TExamplesCopy c;
  const auto before = c.Files();
  // The source file is not built yet, so the update fails its check instead of asking.
  const std::pair<std::string, std::string> runs[] = {
      {"batch rebuild " + c.Batch(), "Rebuild SrcLng File? (answer with --yes)"},
      {"batch update " + c.Batch() + " --project " + c.Q("Demo.kxLng"), "Assertion failure"},
      {"batch compile " + c.Batch() + " --project " + c.Q("Demo.kxLng") + " --out-dir " + c.Q("out"),
       "Compile Files to " + c.Dir.File("out") + "/ (answer with --yes)"},
      {"batch release " + c.Batch() + " --project " + c.Q("Demo.kxLng") + " --out-dir " + c.Q("out"),
       "Extract rawmi data? (answer with --yes)"},
      {"batch extract " + c.Batch(), "Extract rawmi data? (answer with --yes)"}};
  for (const auto &[args, message] : runs) {
    EXPECT_EQ(c.Run(args).Code, 1) << args;
    EXPECT_NE(c.Err().find(message), std::string::npos) << c.Err();
  }
  EXPECT_EQ(c.Files(), before);
}

TEST(LngtoolBatch, RebuildUpdateAndCompileTheDemo) {
  TExamplesCopy c;
  ASSERT_EQ(c.Run("batch rebuild " + c.Batch() + " --yes").Code, 0) << c.Err();
  EXPECT_EQ(Split(c.Err()).back(), "done");
  const std::string cmd = "LC_ALL=C grep -v -e '^;' -e '\\._!' '" + kExamples + "/Demo.SrcLng' | cmp - " +
                          c.Q("Release/Vantreo.SrcLng");
  EXPECT_EQ(std::system(cmd.c_str()), 0);

  const std::string statsBefore = c.Run("stats " + c.Q("Demo.kxLng")).Out;
  ASSERT_EQ(c.Run("batch update " + c.Batch() + " --project " + c.Q("Demo.kxLng") + " --lang es --yes").Code,
            0)
      << c.Err();
  const std::vector<std::string> before = Split(statsBefore),
                                 after = Split(c.Run("stats " + c.Q("Demo.kxLng")).Out);
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i].starts_with("entries: ") || before[i].starts_with("hidden: ")) {
      // Only the two developer notes of the hand-made source are gone.
      const std::string name = before[i].substr(0, before[i].find(' ') + 1);
      EXPECT_EQ(std::stoi(before[i].substr(name.size())) - 2, std::stoi(after[i].substr(name.size())))
          << name;
    } else {
      EXPECT_EQ(before[i], after[i]);
    }
  }
  EXPECT_TRUE(std::filesystem::exists(c.Dir.File("Demo.SrcLng.~bu")));

  const TLngtoolResult r = c.Run("batch compile " + c.Batch() + " --project " + c.Q("Demo.SrcLng") +
                                 " --out-dir " + c.Q("out") + " --yes");
  ASSERT_EQ(r.Code, 0) << c.Err();
  EXPECT_EQ(r.Out, c.Dir.File("out/Vantreo.kxLng") + "\n" + c.Dir.File("out/Skin.kxLng") + "\n");
  for (const char *name : {"out/Vantreo.kxLng", "out/Skin.kxLng"}) {
    const std::string out = ReadBytes(c.Dir.File(name));
    EXPECT_TRUE(out.starts_with("[_info]\r\nDestLng=es\r\ndeflng=es\r\n\r\n")) << name;
    EXPECT_EQ(out.find("=["), std::string::npos) << name; // no status prefix is left
    EXPECT_EQ(out.find(".THF="), std::string::npos) << name;
    EXPECT_NE(out.find("[Messages]\r\n"), std::string::npos) << name;
  }
  const std::string exe = ReadBytes(c.Dir.File("out/Vantreo.kxLng"));
  EXPECT_NE(exe.find("R=The file %s could not be found.\r\nL=No se encuentra el archivo %s.\r\n"),
            std::string::npos);
  EXPECT_NE(ReadBytes(c.Dir.File("out/Skin.kxLng")).find(".TF="), std::string::npos);
}

TEST(LngtoolBatch, ReleaseAndMissingListedFiles) {
  TExamplesCopy c;
  const TLngtoolResult r = c.Run("batch release " + c.Batch() + " --project " + c.Q("Demo.kxLng") +
                                 " --out-dir " + c.Q("out") + " --yes");
  ASSERT_EQ(r.Code, 0) << c.Err();
  EXPECT_TRUE(std::filesystem::exists(c.Dir.File("out/es/Vantreo.kxLng")));
  EXPECT_TRUE(std::filesystem::exists(c.Dir.File("out/es/Skin.kxLng")));

  // A listed file that is gone: named on stderr, exit 1 at the end, unless allowed.
  std::string batch = ReadBytes(c.Dir.File("Release/Demo.BatchPrj"));
  batch.insert(batch.find("Skin.rawmi"), "Gone.rawmi\r\n");
  WriteBytes(c.Dir.File("Release/Demo.BatchPrj"), batch);
  const std::string args = "batch compile " + c.Batch() + " --project " + c.Q("Demo.kxLng") + " --out-dir " +
                           c.Q("out2") + " --yes";
  EXPECT_EQ(c.Run(args).Code, 1);
  EXPECT_NE(c.Err().find("Missing listed file:\t" + c.Dir.File("Release/Gone.rawmi")), std::string::npos)
      << c.Err();
  EXPECT_TRUE(std::filesystem::exists(c.Dir.File("out2/Skin.kxLng")));
  EXPECT_EQ(c.Run(args + " --allow-missing").Code, 0) << c.Err();
}
