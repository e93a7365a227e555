// lngtool auto-translate against the real mtserver and against a closed loopback port, and
// compile-list / compile-rawmi end to end.
#include "lngtool_runner.h"
#include "mtserver_process.h"
#include "support/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace vt {
namespace {

namespace fs = std::filesystem;

using test::LngtoolWithErrors;
using test::TLngtoolResult;

std::string Read(const fs::path &path) {
  std::string bytes;
  ReadFileBytes(path.string(), bytes);
  return bytes;
}

// Every file of the folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path &dir) {
  std::map<std::string, std::string> files;
  for (const auto &e : fs::directory_iterator(dir)) files[e.path().filename().string()] = Read(e.path());
  return files;
}

class LngtoolListCompile : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("vt-listrun-" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    ASSERT_TRUE(
        WriteFileAtomic((Dir / "P.SrcLng").string(),
                        "[S]\r\nopen.TC=Open\r\nsave.TC=Save\r\nclose.TC=Close the window\r\n"
                        "tip.VH=Opens the file\\nfrom the disk\r\n[T]\r\nopen.TC=Open\r\nother.TC=Open\r\n"
                        "save.TC=save\r\n[Messages]\r\nP_000_.msg=File not found\r\n"));
    ASSERT_TRUE(WriteFileAtomic((Dir / "P.kxLng").string(),
                                "[_info]\r\nDestLng=es\r\n[S]\r\nsave.TC=Guardar\r\n[T]\r\nopen.TC=Abrir\r\n"
                                "[Messages]\r\nP_000_.msg=Archivo no encontrado\r\n"));
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::string P() const { return (Dir / "P.kxLng").string(); }
  fs::path Dir;
};

TEST_F(LngtoolListCompile, AutoTranslateFillsEmptyEntriesAndLeavesTranslatedSameSourceAlone) {
  vt::testing::TMtServerProcess server;
  ASSERT_TRUE(server.Start(VT_MTSERVER_PROGRAM)) << server.Log();
  const TLngtoolResult run =
      LngtoolWithErrors("auto-translate " + P() + " --to es --section S --host " + server.Url());
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("rows: 4\ntranslated: 3\ncopied: 1\n"), std::string::npos) << run.Out;
  // Every empty entry of S has a machine translation; T/other.TC took the copy of S/open.TC, marked
  // the same; T/open.TC kept its own.
  const std::string kx = Read(Dir / "P.kxLng");
  for (const char *key : {"[S]", "open.TC=[~]", "close.TC=[~]", "tip.VH=[~]", "other.TC=[~]", "open.TC=Abrir",
                          "save.TC=Guardar"})
    EXPECT_NE(kx.find(key), std::string::npos) << key << "\n" << kx;
  EXPECT_EQ(kx.find("save.TC=[~]"), std::string::npos) << kx; // T/save.TC lies outside S
  EXPECT_TRUE(fs::exists(Dir / "P.kxLng.~bu"));
}

TEST_F(LngtoolListCompile, AnUnreachableServiceEndsAfterOneRowChangingNoFile) {
  const auto before = Snapshot(Dir);
  const TLngtoolResult run =
      LngtoolWithErrors("auto-translate " + P() + " --to es --host http://127.0.0.1:9");
  EXPECT_EQ(run.Code, 1) << run.Out;
  EXPECT_NE(run.Out.find("rows: 0\ntranslated: 0"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("stopped at S/open.TC"), std::string::npos) << run.Out; // the first row
  EXPECT_EQ(Snapshot(Dir), before);
  // A start row that is not in the list is an error too.
  EXPECT_EQ(LngtoolWithErrors("auto-translate " + P() + " --to es --section T --from S/open.TC").Code, 1);
}

TEST_F(LngtoolListCompile, CompileCommandsWriteTheirLayoutsAndRefuseProjectFiles) {
  const fs::path out = Dir / "out.kxLng";
  TLngtoolResult run = LngtoolWithErrors("compile-list " + P() + " " + out.string() + " --section T");
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(Read(out), "[T]\r\nopen.TC=Abrir\r\n\r\n");
  run = LngtoolWithErrors("compile-list " + P() + " " + out.string());
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(Read(out),
            "[S]\r\nsave.TC=Guardar\r\n\r\n[T]\r\nopen.TC=Abrir\r\n\r\n[Messages]\r\nR=File not found\r\n"
            "L=Archivo no encontrado\r\n\r\n");

  ASSERT_TRUE(WriteFileAtomic((Dir / "R.rawmi").string(),
                              "[T]\r\nopen.TC=Open\r\n[Messages]\r\nP_000_.msg=File gone\r\n"));
  run = LngtoolWithErrors("compile-rawmi " + P() + " " + (Dir / "R.rawmi").string() + " " + out.string());
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(Read(out), "[_info]\r\nDestLng=es\r\n\r\n[T]\r\nopen.TC=Abrir\r\n\r\n[Messages]\r\n\r\n");

  const auto before = Snapshot(Dir);
  for (const std::string target : {"P.kxLng", "P.SrcLng", "R.rawmi"}) {
    run = LngtoolWithErrors("compile-rawmi " + P() + " " + (Dir / "R.rawmi").string() + " " +
                            (Dir / target).string());
    EXPECT_EQ(run.Code, 1) << target;
    EXPECT_NE(run.Out.find("Refusing"), std::string::npos) << run.Out;
  }
  EXPECT_EQ(LngtoolWithErrors("compile-list " + P() + " " + (Dir / "P.kxLng").string()).Code, 1);
  EXPECT_EQ(Snapshot(Dir), before);
}

} // namespace
} // namespace vt
