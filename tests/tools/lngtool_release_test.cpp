// A release on the command line, on a copy of examples/Release: the demo source rebuilt from its raw
// data files, and the demo project following the next release.
#include "lngtool_runner.h"
#include "model/ini_file.h"
#include "test_data.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

const std::string kExamples = std::string(VT_SOURCE_DIR) + "/examples";

// A copy of the release folder, with the demo's source and translation file beside it.
struct TReleaseCopy {
  TTempDir Dir{"release"};
  TReleaseCopy() {
    std::filesystem::copy(kExamples + "/Release", Dir.Path(), std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(Dir.File("old"));
    for (const char *f : {"Demo.SrcLng", "Demo.kxLng"})
      std::filesystem::copy_file(kExamples + "/" + f, Dir.File(std::string("old/") + f));
  }
  std::string Q(const std::string &name) const { return "'" + Dir.File(name) + "'"; }
  // merge-raw, filter-raw and rebuild-src over a copy of the executable's raw data file.
  int BuildSource(const std::string &exeRaw, const std::string &out) const {
    std::filesystem::copy_file(Dir.File(exeRaw), Dir.File("merged.rawmi"),
                               std::filesystem::copy_options::overwrite_existing);
    for (const std::string &args :
         {"merge-raw " + Q("Skin.rawmi") + " " + Q("merged.rawmi"),
          "filter-raw " + Q("Obsolete.ini") + " " + Q("merged.rawmi"),
          "rebuild-src --raw " + Q("merged.rawmi") + " --out " + Q(out) + " --english " + Q("English.kxLng") +
              " --messages " + Q("Messages.txt")}) {
      const int code = Lngtool(args, Dir.File("err.txt")).Code;
      if (code != 0) return code;
    }
    return 0;
  }
};

TIniFile Ini(const std::string &path) {
  TIniFile ini;
  EXPECT_TRUE(ini.LoadFromFile(path)) << path;
  return ini;
}

} // namespace

TEST(LngtoolRelease, RawFilesGiveTheDemoSource) {
  TReleaseCopy r;
  ASSERT_EQ(r.BuildSource("Vantreo.rawmi", "Demo.SrcLng"), 0) << ReadBytes(r.Dir.File("err.txt"));
  const std::string cmd =
      "LC_ALL=C grep -v -e '^;' -e '\\._!' '" + kExamples + "/Demo.SrcLng' | cmp - " + r.Q("Demo.SrcLng");
  EXPECT_EQ(std::system(cmd.c_str()), 0);

  // The removal's log on stderr; a missing source is an error that writes nothing.
  const std::string before = ReadBytes(r.Dir.File("merged.rawmi"));
  EXPECT_EQ(
      Lngtool("filter-raw " + r.Q("Obsolete.ini") + " " + r.Q("Vantreo.rawmi"), r.Dir.File("err.txt")).Code,
      0);
  EXPECT_EQ(ReadBytes(r.Dir.File("err.txt")),
            "x\tTID_MainMenu0\tmnuFileSendTo._CN\nx\tTID_MainMenu0\tmnuFileSendTo.VC\n");
  EXPECT_EQ(Lngtool("merge-raw " + r.Q("none.rawmi") + " " + r.Q("merged.rawmi"), r.Dir.File("err.txt")).Code,
            1);
  EXPECT_EQ(ReadBytes(r.Dir.File("err.txt")), "Not Found!\t" + r.Dir.File("none.rawmi") + "\n");
  EXPECT_EQ(ReadBytes(r.Dir.File("merged.rawmi")), before);
}

TEST(LngtoolRelease, ProjectFollowsTheNextRelease) {
  TReleaseCopy r;
  ASSERT_EQ(r.BuildSource("next/Vantreo.rawmi", "Next.SrcLng"), 0) << ReadBytes(r.Dir.File("err.txt"));
  const std::string project = r.Dir.File("old/Demo.SrcLng"), kx = r.Dir.File("old/Demo.kxLng");
  const std::string oldSrcBytes = ReadBytes(project), oldKxBytes = ReadBytes(kx);
  ASSERT_EQ(
      Lngtool("update-project --template " + r.Q("Next.SrcLng") + " --project " + r.Q("old/Demo.SrcLng"),
              r.Dir.File("err.txt"))
          .Code,
      0)
      << ReadBytes(r.Dir.File("err.txt"));
  EXPECT_EQ(ReadBytes(project), ReadBytes(r.Dir.File("Next.SrcLng")));
  EXPECT_EQ(ReadBytes(project + ".~bu"), oldSrcBytes);
  EXPECT_EQ(ReadBytes(kx + ".~bu"), oldKxBytes);

  const TIniFile oldSrc = Ini(project + ".~bu"), oldKx = Ini(kx + ".~bu");
  const TIniFile newSrc = Ini(project), newKx = Ini(kx);
  // Every message whose text stayed keeps translation and comment under its new key.
  int kept = 0, renumbered = 0, commented = 0;
  for (const std::string &key : newSrc.SectionKeys("Messages")) {
    const std::string text = newSrc.ReadString("Messages", key);
    std::string oldKey;
    for (const std::string &k : oldSrc.SectionKeys("Messages"))
      if (oldSrc.ReadString("Messages", k) == text && !oldKx.ReadString("Messages", k).empty()) {
        oldKey = k;
        break;
      }
    EXPECT_EQ(newKx.ReadString("Messages", key), oldKey.empty() ? "" : oldKx.ReadString("Messages", oldKey))
        << key;
    EXPECT_EQ(newKx.ReadString("Messages", key + "_?"),
              oldKey.empty() ? "" : oldKx.ReadString("Messages", oldKey + "_?"))
        << key;
    kept += !oldKey.empty();
    renumbered += !oldKey.empty() && oldKey != key;
    commented += !newKx.ReadString("Messages", key + "_?").empty();
  }
  EXPECT_EQ(kept, 17); // the printer message changed its text
  EXPECT_EQ(renumbered, 10);
  EXPECT_EQ(commented, 1);
  EXPECT_EQ(newKx.ReadString("Messages", "Vantreo_014_.msg"), "");
  // Every other section as it was.
  for (const TIniSection &sec : oldKx.Sections()) {
    if (sec.Name == "Messages") continue;
    const TIniSection *now = newKx.FindSection(sec.Name);
    ASSERT_TRUE(now) << sec.Name;
    ASSERT_EQ(now->Lines.size(), sec.Lines.size()) << sec.Name;
    for (std::size_t i = 0; i < sec.Lines.size(); ++i) {
      EXPECT_EQ(now->Lines[i].Key, sec.Lines[i].Key);
      EXPECT_EQ(now->Lines[i].Value, sec.Lines[i].Value);
    }
  }

  // A missing template: the assertion on one line, exit 1, nothing written.
  std::filesystem::remove(kx + ".~bu");
  const std::string srcNow = ReadBytes(project), kxNow = ReadBytes(kx);
  EXPECT_EQ(
      Lngtool("update-project --template " + r.Q("Gone.SrcLng") + " --project " + r.Q("old/Demo.SrcLng"),
              r.Dir.File("err.txt"))
          .Code,
      1);
  EXPECT_EQ(ReadBytes(r.Dir.File("err.txt")),
            "Sourcefile does not exists! " + r.Dir.File("Gone.SrcLng") + " (Translate\\GrabRawDlg)\n");
  EXPECT_EQ(ReadBytes(project), srcNow);
  EXPECT_EQ(ReadBytes(kx), kxNow);
  EXPECT_FALSE(std::filesystem::exists(kx + ".~bu"));
}
