// Packed projects, backups and the project maintenance commands on real files in a temporary folder.
#include "client/core/packed_project.h"
#include "support/file_io.h"
#include "tests/scratch_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

namespace vt {
namespace {

namespace fs = std::filesystem;

const TZipTime kMoment{2026, 12, 8, 3, 15, 42};

class PackedProject : public TScratchFolder {
protected:
  void SetUp() override {
    TScratchFolder::SetUp();
    fs::create_directories(Dir / "P");
    Write("P/French.SrcLng", "[Form1]\r\n"
                             "btnOk._CN=TButton\r\n"
                             "btnOk.TC=OK\r\n"
                             "btnOk.TH=Confirm\r\n"
                             "btnOk.TF=Confirms the dialog\r\n"
                             "lblName.TC=&Name\r\n"
                             "[Messages]\r\n"
                             "Err_001_.msg=Cannot open\\nthe file\r\n");
    Write("P/French.kxLng", "[_info]\r\nDestLng=fr\r\n\r\n"
                            "[Form1]\r\n"
                            "btnOk.TC=D'accord\r\n"
                            "btnOk.TH=[~]Confirmer\r\n"
                            "lblName.TC=[?]&Nom\r\n"
                            "lblName.TC_?=check the accelerator\r\n"
                            "[Messages]\r\n"
                            "Err_001_.msg=Impossible d'ouvrir\\nle fichier\r\n");
  }
  TRef<TWordList> Open(const std::string &name = "P/French.kxLng") const {
    TRef<TWordList> list(new TWordList);
    EXPECT_TRUE(list->Open(P(name))) << name;
    return list;
  }
  static std::vector<std::pair<std::string, std::string>> Members(const std::string &path) {
    TZipFile zip;
    zip.LoadFromFile(path);
    std::vector<std::pair<std::string, std::string>> out;
    for (int i = 0; i < zip.Count(); ++i) out.emplace_back(zip.Name(i), zip.GetData(i));
    return out;
  }
  static std::string Pack(const std::vector<std::pair<std::string, std::string>> &members) {
    TZipFile zip;
    for (const auto &[name, data] : members) {
      zip.AddFile(name, 0);
      zip.SetData(zip.Count() - 1, data);
    }
    return zip.ToBytes();
  }
};

TEST_F(PackedProject, PackingSynchronisesEntriesInMemoryOnly) {
  auto list = Open();
  TWordObj *ok = list->FindEntry("Form1/btnOk.TC");
  ASSERT_NE(ok, nullptr);
  ok->Translation = "Valider";
  ok->Comment = "shorter";
  list->FindEntry("Form1/lblName.TC")->Translation.clear();
  list->Modified = true;
  const std::string kxBefore = Read("P/French.kxLng");

  std::string error;
  ASSERT_TRUE(WritePackedProject(
      *list, P("French.LngPrj"), [] { return kMoment; }, &error))
      << error;
  const auto members = Members(P("French.LngPrj"));
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].first, "French.SrcLng");
  EXPECT_EQ(members[0].second, list->SrcIni->ToBytes()) << "the source file as it would be written";
  EXPECT_EQ(members[1].first, "French.kxLng");
  const std::string &kx = members[1].second;
  EXPECT_NE(kx.find("btnOk.TC=Valider\r\n"), std::string::npos) << kx;
  EXPECT_NE(kx.find("btnOk.TC_?=shorter\r\n"), std::string::npos) << kx;
  EXPECT_EQ(kx.find("lblName.TC="), std::string::npos) << "an emptied translation deletes its key";
  EXPECT_NE(kx.find("lblName.TC_?=check the accelerator"), std::string::npos);
  EXPECT_NE(kx.find("DestLng=fr"), std::string::npos);
  // The project's own files and flags are untouched.
  EXPECT_EQ(Read("P/French.kxLng"), kxBefore);
  EXPECT_TRUE(list->Modified);

  // Nothing to pack, or no place to write: false with a reason, and no file.
  TRef<TWordList> empty(new TWordList);
  EXPECT_FALSE(WritePackedProject(*empty, P("e.LngPrj"), {}, &error));
  EXPECT_FALSE(WritePackedProject(*list, "", {}, &error));
  EXPECT_FALSE(WritePackedProject(*list, P("missing/x.LngPrj"), {}, &error));
  EXPECT_NE(error, "");
  EXPECT_FALSE(fs::exists(P("e.LngPrj")));
}

TEST_F(PackedProject, BackupNamesKeepOneLevelAndOneStamp) {
  const std::string stamp = "2026_12_08 03-15-42";
  EXPECT_EQ(BackupStamp(kMoment), stamp);
  EXPECT_EQ(BackupStamp(TZipTime{2031, 1, 2, 13, 4, 5}), "2031_01_02 13-04-05");
  const struct {
    const char *project, *backup;
  } cases[] = {
      {"/D/P/French.kxLng", "/D/P/AutoBackups/French.BU2026_12_08 03-15-42.LngPrj"},
      {"/D/P/AutoBackups/French.BU2031_01_02 13-04-05.kxLng",
       "/D/P/AutoBackups/French.BU2026_12_08 03-15-42.LngPrj"},
      {"/D/P/AutoBackups/French.bu2031_01_02 13-04-05.SrcLng",
       "/D/P/AutoBackups/French.BU2026_12_08 03-15-42.LngPrj"},
      // Only a stamp of the backup's own shape goes.
      {"/D/P/French.Business.kxLng", "/D/P/AutoBackups/French.Business.BU2026_12_08 03-15-42.LngPrj"},
      {"/D/P/French.Budget.kxLng", "/D/P/AutoBackups/French.Budget.BU2026_12_08 03-15-42.LngPrj"},
      {"/D/P/French.BU2031_01_02.kxLng", "/D/P/AutoBackups/French.BU2031_01_02.BU2026_12_08 03-15-42.LngPrj"},
      {"French.kxLng", "AutoBackups/French.BU2026_12_08 03-15-42.LngPrj"},
  };
  for (const auto &c : cases) EXPECT_EQ(BackupFileName(c.project, kMoment), c.backup) << c.project;
}

TEST_F(PackedProject, BackupWritesTheArchiveOrSaysWhyNot) {
  auto list = Open();
  std::string path, error;
  ASSERT_TRUE(BackupProject(*list, kMoment, path, &error)) << error;
  EXPECT_EQ(path, P("P/AutoBackups/French.BU2026_12_08 03-15-42.LngPrj"));
  const auto members = Members(path);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].first, "French.BU2026_12_08 03-15-42.SrcLng");
  EXPECT_EQ(members[1].first, "French.BU2026_12_08 03-15-42.kxLng");

  // Restored inside the backup folder and backed up again: beside itself, with the new stamp only.
  std::string restored;
  ASSERT_TRUE(UnpackProject(path, P("P/AutoBackups/French.BU2026_12_08 03-15-42"), restored, &error))
      << error;
  auto again = Open("P/AutoBackups/French.BU2026_12_08 03-15-42.kxLng");
  ASSERT_TRUE(BackupProject(*again, TZipTime{2026, 12, 9, 10, 0, 0}, path, &error)) << error;
  EXPECT_EQ(path, P("P/AutoBackups/French.BU2026_12_09 10-00-00.LngPrj"));

  // A file where the folder should be: no backup, the reason given, the project unchanged.
  fs::remove_all(Dir / "P" / "AutoBackups");
  Write("P/AutoBackups", "in the way");
  EXPECT_FALSE(BackupProject(*list, kMoment, path, &error));
  EXPECT_NE(error.find("AutoBackups"), std::string::npos) << error;
  EXPECT_EQ(Read("P/AutoBackups"), "in the way");
  EXPECT_EQ(list->Items.Count(), 6u);

  TRef<TWordList> none(new TWordList);
  EXPECT_FALSE(BackupProject(*none, kMoment, path, &error));
}

TEST_F(PackedProject, UnpackWritesNormalisedNamesAndKeepsReplacedFiles) {
  const std::string src = Read("P/French.SrcLng"), kx = Read("P/French.kxLng");
  // Lower-case extensions, a bare CR and no last line end, a foreign member and a second translation
  // member.
  Write("in.LngPrj", Pack({{"x.srclng", "[S]\rk.TC=v"},
                           {"readme.txt", "ignored"},
                           {"x.kxlng", "[S]\r\nk.TC=w\r\n"},
                           {"other.KXLNG", "[S]\r\nk.TC=second\r\n"}}));
  std::string translation, error;
  ASSERT_TRUE(UnpackProject(P("in.LngPrj"), P("P/French"), translation, &error)) << error;
  EXPECT_EQ(translation, P("P/French.kxLng"));
  EXPECT_EQ(Read("P/French.SrcLng"), "[S]\r\nk.TC=v\r\n");
  EXPECT_EQ(Read("P/French.kxLng"), "[S]\r\nk.TC=w\r\n") << "the first translation member counts";
  EXPECT_EQ(Read("P/French.SrcLng.~bu"), src);
  EXPECT_EQ(Read("P/French.kxLng.~bu"), kx);
  EXPECT_FALSE(fs::exists(P("P/French.srclng")));
  EXPECT_FALSE(fs::exists(P("P/French.kxlng")));
}

TEST_F(PackedProject, UnpackWritesNothingFromABadArchive) {
  const std::string good = Pack({{"a.SrcLng", "[S]\r\nk.TC=v\r\n"}, {"a.kxLng", "[S]\r\nk.TC=w\r\n"}});
  std::string damaged = good;
  // The last data byte of the second member (just before the central directory).
  const std::size_t dir = damaged.find(std::string("PK\x01\x02", 4));
  damaged[dir - 1] = static_cast<char>(damaged[dir - 1] ^ 0x55);
  const struct {
    const char *what;
    std::string bytes;
    const char *error;
  } cases[] = {
      {"damaged second member", damaged, "CRC Error in \"a.kxLng\"."},
      {"truncated", good.substr(0, good.size() - 5), "Damaged archive"},
      {"no translation member", Pack({{"a.SrcLng", "[S]\r\n"}}), "No translation file"},
      {"no archive at all", "just text", "No translation file"},
  };
  const std::string src = Read("P/French.SrcLng"), kx = Read("P/French.kxLng");
  for (const auto &c : cases) {
    Write("bad.LngPrj", c.bytes);
    std::string translation, error;
    EXPECT_FALSE(UnpackProject(P("bad.LngPrj"), P("P/French"), translation, &error)) << c.what;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_EQ(Read("P/French.SrcLng"), src) << c.what;
    EXPECT_EQ(Read("P/French.kxLng"), kx) << c.what;
    EXPECT_FALSE(fs::exists(P("P/French.kxLng.~bu"))) << c.what;
  }
  std::string translation, error;
  EXPECT_FALSE(UnpackProject(P("missing.LngPrj"), P("P/French"), translation, &error));
}

TEST_F(PackedProject, CloneCopiesFromDiskAndNeverOntoItself) {
  Write("Q.SrcLng", "old source");
  std::string error;
  ASSERT_TRUE(CloneProject(P("P/French.kxLng"), P("Q.whatever"), &error)) << error;
  EXPECT_EQ(Read("Q.SrcLng"), Read("P/French.SrcLng"));
  EXPECT_EQ(Read("Q.kxLng"), Read("P/French.kxLng"));
  EXPECT_EQ(Read("Q.SrcLng.~bu"), "old source");
  EXPECT_FALSE(fs::exists(P("Q.AutoLng")));

  EXPECT_FALSE(CloneProject(P("P/French.kxLng"), P("P/French.SrcLng"), &error));
  EXPECT_FALSE(CloneProject(P("P/French.kxLng"), P("P/../P/French.x"), &error));
  EXPECT_NE(error.find("itself"), std::string::npos);
  EXPECT_FALSE(CloneProject(P("P/Missing.kxLng"), P("R.kxLng"), &error));
  EXPECT_FALSE(fs::exists(P("R.kxLng")));
}

TEST_F(PackedProject, ResaveEntireFilesWritesEntriesInLoadOrder) {
  auto list = Open();
  list->MergeHints(); // reorders Items; the files still come out in load order
  Write("N.kxLng", "previous");
  std::string error;
  ASSERT_TRUE(ResaveEntireFiles(*list, P("N.any"), &error)) << error;
  EXPECT_EQ(Read("N.SrcLng"), "[Form1]\r\n"
                              "btnOk._CN=TButton\r\n"
                              "btnOk.TC=OK\r\n"
                              "btnOk.THF=Confirm|Confirms the dialog\r\n"
                              "lblName.TC=&Name\r\n"
                              "\r\n"
                              "[Messages]\r\n"
                              "Err_001_.msg=Cannot open\\nthe file\r\n"
                              "\r\n");
  const std::string kx = Read("N.kxLng");
  EXPECT_EQ(kx.find("_CN"), std::string::npos) << "hidden entries go to the source file only";
  EXPECT_NE(kx.find("[_info]\r\nDestLng=fr\r\n"), std::string::npos);
  EXPECT_NE(kx.find("lblName.TC=[?]&Nom\r\nlblName.TC_?=check the accelerator\r\n"), std::string::npos);
  EXPECT_EQ(Read("N.kxLng.~bu"), "previous");

  // The merged hints are what a reopened project shows.
  auto reopened = Open("N.kxLng");
  EXPECT_NE(reopened->FindEntry("Form1/btnOk.THF"), nullptr);
  EXPECT_EQ(reopened->FindEntry("Form1/btnOk.TH"), nullptr);
  EXPECT_EQ(reopened->DestLng, "fr");
}

TEST_F(PackedProject, BuildUpdatedSrcLngTakesTranslationsWithoutComments) {
  auto list = Open();
  Write("U.SrcLng", "older");
  std::string error;
  ASSERT_TRUE(BuildUpdatedSrcLng(*list, P("U.SrcLng"), &error)) << error;
  const std::string out = Read("U.SrcLng");
  EXPECT_NE(out.find("btnOk._CN=TButton\r\n"), std::string::npos) << "hidden entries keep their source";
  EXPECT_NE(out.find("btnOk.TC=D'accord\r\n"), std::string::npos);
  EXPECT_NE(out.find("btnOk.TH=Confirmer\r\n"), std::string::npos) << "status letters are not texts";
  EXPECT_NE(out.find("btnOk.TF=Confirms the dialog\r\n"), std::string::npos) << "no translation: the source";
  EXPECT_NE(out.find("Err_001_.msg=Impossible d'ouvrir\\nle fichier\r\n"), std::string::npos);
  EXPECT_EQ(out.find("_?"), std::string::npos);
  EXPECT_EQ(Read("U.SrcLng.~bu"), "older");
}

} // namespace
} // namespace vt
