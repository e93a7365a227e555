// What the form preview reads besides the form text: the file of a section, the texts of the
// section's entries and the controls the product hides.
#include "client/core/form_preview_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vt {
namespace {

namespace fs = std::filesystem;

class FormTextFolders : public ::testing::Test {
protected:
  void SetUp() override {
    Root = fs::temp_directory_path() / ("vt_dfmdata_" + std::to_string(::getpid()));
    fs::remove_all(Root);
    fs::create_directories(Root / "prj");
    fs::create_directories(Root / "fallback");
    Project = (Root / "prj" / "Demo.kxLng").string();
  }
  void TearDown() override { fs::remove_all(Root); }
  static void Touch(const fs::path &p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "object F: TForm\nend\n";
  }
  fs::path Root;
  std::string Project;
};

TEST_F(FormTextFolders, ProjectFolderFirstThenFallback) {
  const std::string fallback = (Root / "fallback").string();
  Touch(Root / "fallback" / "TTID_Options.dfmp");
  // No DfmData beside the project: the fallback folder serves.
  EXPECT_EQ(FindFormTextFile(Project, "TID_Options", fallback),
            (Root / "fallback" / "TTID_Options.dfmp").string());
  EXPECT_EQ(FindFormTextFile(Project, "TID_Other", fallback), "");
  // A DfmData folder beside the project is the folder, even for a file only the fallback has.
  Touch(Root / "prj" / "DfmData" / "TTID_Main.dfmp");
  EXPECT_EQ(FindFormTextFile(Project, "TID_Main", fallback),
            (Root / "prj" / "DfmData" / "TTID_Main.dfmp").string());
  EXPECT_EQ(FindFormTextFile(Project, "TID_Options", fallback), "");
  // Names compare exactly, as the files are named.
  EXPECT_EQ(FindFormTextFile(Project, "tid_main", fallback), "");
  // Without any folder there is no file.
  EXPECT_EQ(FindFormTextFile((Root / "none" / "X.kxLng").string(), "TID_Main", ""), "");

  // The variable names the fallback folder.
  ::setenv(kFormTextDirVariable, fallback.c_str(), 1);
  EXPECT_EQ(FindFormTextFile((Root / "none" / "X.kxLng").string(), "TID_Options"),
            (Root / "fallback" / "TTID_Options.dfmp").string());
  ::unsetenv(kFormTextDirVariable);
  EXPECT_EQ(FindFormTextFile((Root / "none" / "X.kxLng").string(), "TID_Options"), "");
}

TEST_F(FormTextFolders, SectionNamesNeverLeaveTheFolder) {
  // A file the names below would reach if they were taken as paths.
  Touch(Root / "prj" / "TX.dfmp");
  Touch(Root / "prj" / "DfmData" / "T" / "X.dfmp");
  Touch(Root / "prj" / "DfmData" / "T..dfmp");
  for (const char *name : {"/../X", "../X", "/X", "\\X", "..", "", "A\nB"})
    EXPECT_EQ(FindFormTextFile(Project, name, ""), "") << name;
  EXPECT_EQ(FormTextFileName("TID_Options"), "TTID_Options.dfmp");
  EXPECT_EQ(FormTextFileName("a/b"), "");
  EXPECT_EQ(FormTextFileName("a..b"), "");
  // A folder of the form text's name is no form text.
  fs::create_directories(Root / "prj" / "DfmData" / "TDir.dfmp");
  EXPECT_EQ(FindFormTextFile(Project, "Dir", ""), "");
}

class PreviewStores : public ::testing::Test {
protected:
  void SetUp() override { Project = TRef<TWordList>(new TWordList); }
  TWordObj *Add(const char *section, const char *name, const char *kind, const char *source,
                const char *trans) {
    TWordObj *e = Project->AddEntry(section, name, kind, source);
    e->Translation = trans;
    return e;
  }
  std::vector<std::string> Keys(const TIniFile &ini, const char *section) const {
    return ini.SectionKeys(section);
  }
  TRef<TWordList> Project;
};

TEST_F(PreviewStores, TextsOfTheSectionOnly) {
  Add("TID_A", "btnOK", "VC", "OK", "[~?]Aceptar");
  Add("TID_A", "lbl", "VC", "Name", "");        // untranslated: the form's own text stays
  Add("TID_A", "lbl2", "VC", "Name", "[!]");    // only status letters: nothing either
  Add("TID_A", "cb", "VI", "a\\nb", "x\\ny");   // stored as it is, escapes and all
  Add("TID_A", "btnOK", "_CN", "TButton", "");  // hidden
  Add("TID_B", "btnOK", "VC", "OK", "Vale");    // same name, other section
  Add("tid_a", "btnOK", "VH", "Hint", "Pista"); // section names compare exactly
  const std::vector<std::string> names = {"btnOK", "lbl", "lbl2", "cb"};
  const TIniFile store = BuildPreviewStore(*Project, "TID_A", names);
  EXPECT_EQ(Keys(store, "TID_A"), (std::vector<std::string>{"btnOK.VC", "cb.VI"}));
  EXPECT_EQ(store.ReadString("TID_A", "btnOK.VC"), "Aceptar");
  EXPECT_EQ(store.ReadString("TID_A", "cb.VI"), "x\\ny");
  EXPECT_EQ(store.SectionNames(), std::vector<std::string>{"TID_A"});
  // "Show Original": the store stays empty.
  EXPECT_TRUE(BuildPreviewStore(*Project, "TID_A", names, true).Sections().empty());
  EXPECT_TRUE(BuildPreviewStore(*Project, "TID_None", names).Sections().empty());
}

TEST_F(PreviewStores, ToolHintsSplitIntoShortAndFull) {
  Add("S", "hbOpen", "THF", "Open|Opens", "Abrir|Abre el archivo");
  Add("S", "hbShort", "THF", "Delete", "[~]Eliminar");
  Add("S", "hbFull", "THF", "|Rotates", "|Gira\\nla imagen"); // an empty short hint takes the full one
  Add("S", "hbBar", "THF", "x", "||");                        // the short part "|" is not written
  Add("S", "hbNone", "THF", "x", "|");
  const TIniFile store = BuildPreviewStore(*Project, "S", {"hbOpen", "hbShort", "hbFull", "hbBar", "hbNone"});
  EXPECT_EQ(Keys(store, "S"),
            (std::vector<std::string>{"hbOpen.TH", "hbOpen.TF", "hbShort.TH", "hbFull.TH"}));
  EXPECT_EQ(store.ReadString("S", "hbOpen.TH"), "Abrir");
  EXPECT_EQ(store.ReadString("S", "hbOpen.TF"), "Abre el archivo");
  EXPECT_EQ(store.ReadString("S", "hbShort.TH"), "Eliminar");
  EXPECT_EQ(store.ReadString("S", "hbFull.TH"), "Gira\\nla imagen");
  EXPECT_FALSE(store.KeyExists("S", "hbOpen.THF"));
}

TEST_F(PreviewStores, VisibilityNamesHiddenControlsOfTheSection) {
  Add("S", "pnlPro", "_vis", "0", "");
  Add("S", "btnOK", "VC", "OK", "");
  Add("T", "pnlOther", "_vis", "0", "");
  const std::vector<std::string> names = {"pnlPro", "btnOK", "pnlOther"};
  const TIniFile vis = BuildVisibilityStore(*Project, "S", names);
  EXPECT_EQ(Keys(vis, "S"), std::vector<std::string>{"pnlPro.vis"});
  EXPECT_EQ(vis.ReadString("S", "pnlPro.vis"), "x");
  EXPECT_TRUE(BuildVisibilityStore(*Project, "U", names).Sections().empty());
}

TEST_F(PreviewStores, ByNamesHoldWhatTheWalkHoldsForThoseNames) {
  Add("S", "btnOK", "VC", "OK", "Aceptar");
  Add("S", "btnOK", "VH", "Confirms", "[~]Confirma");
  Add("S", "hbOpen", "THF", "Open|Opens", "Abrir|Abre");
  Add("S", "pnlPro", "_vis", "0", "");
  Add("S", "lblOther", "VC", "Other", "Otro"); // not a component of the form shown
  Add("T", "btnOK", "VC", "OK", "Vale");
  Add("S/x", "y", "VC", "Slash", "Barra"); // "S/x" + "/" + "y" reads like "S" + "/" + "x/y"
  // A store of some of the names holds for them what the store of every object of the section does.
  const std::vector<std::string> names = {"btnOK", "hbOpen", "pnlPro", "x/y", "missing", ""};
  const std::vector<std::string> every = {"btnOK", "hbOpen", "pnlPro", "lblOther"};
  const TIniFile all = BuildPreviewStore(*Project, "S", every),
                 named = BuildPreviewStore(*Project, "S", names);
  EXPECT_EQ(Keys(named, "S"), (std::vector<std::string>{"btnOK.VC", "btnOK.VH", "hbOpen.TH", "hbOpen.TF"}));
  for (const std::string &key : Keys(named, "S"))
    EXPECT_EQ(named.ReadString("S", key), all.ReadString("S", key));
  EXPECT_FALSE(named.KeyExists("S", "lblOther.VC"));
  EXPECT_TRUE(BuildPreviewStore(*Project, "S", names, true).Sections().empty());
  EXPECT_EQ(Keys(BuildVisibilityStore(*Project, "S", names), "S"), std::vector<std::string>{"pnlPro.vis"});
  EXPECT_TRUE(BuildVisibilityStore(*Project, "T", names).Sections().empty());
}

} // namespace
} // namespace vt
