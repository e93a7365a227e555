// Batch projects: reading the file, the extraction of every raw script with the test build's real
// executables, the compile of every extracted file, and the rebuild's checks before it replaces
// anything.
#include "model/ini_file.h"
#include "support/file_io.h"
#include "test_data.h"
#include "tools/batch_project.h"
#include "tools/compile.h"
#include "tools/error.h"
#include "tools/grab_session.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;
using Lines = std::vector<std::string>;

namespace {

struct TAsk {
  Lines Questions;
  bool Yes = true;
  TBatchAsk Fn() {
    return [this](const std::string &q) {
      Questions.push_back(q);
      return Yes;
    };
  }
};

TBatchProject Batch(const TTempDir &dir, const std::string &text) {
  WriteBytes(dir.File("Rel.BatchPrj"), text);
  TBatchProject b;
  EXPECT_TRUE(b.Load(dir.File("Rel.BatchPrj")));
  return b;
}

const std::string kProject =
    "[_info]\r\nDestLng=fr\r\n[F]\r\na.VC=[~]Un\r\nb.THF=Court|Long\r\n[G]\r\nc.VC=Trois\r\n"
    "[Messages]\r\nA_000_.msg=Fichier\r\nB_000_.msg=Dossier\r\n";

} // namespace

TEST(BatchProject, ReadsGeneralKeysAndWholeLinesFromItsFolder) {
  TTempDir dir("batchload");
  const TBatchProject b =
      Batch(dir, "\xEF\xBB\xBF[General]\r\nDstSrcLng=out/En.SrcLng\r\nRawDst=/abs/All.rawmi\r\n"
                 "[RawScriptData]\r\nscripts/App one.RawScript\r\n\r\n[ExtractedFiles]\r\n"
                 "raw/a=b.rawmi\r\n  raw/with space.rawmi  \r\n");
  EXPECT_EQ(b.DstSrcLng, dir.File("out/En.SrcLng"));
  EXPECT_EQ(b.RawDst, "/abs/All.rawmi");
  EXPECT_EQ(b.RawDstBL, "");
  EXPECT_EQ(b.RawEnLng, "");
  EXPECT_EQ(b.RawScriptData, Lines{dir.File("scripts/App one.RawScript")});
  EXPECT_EQ(b.ExtractedFiles, (Lines{dir.File("raw/a=b.rawmi"), dir.File("raw/with space.rawmi")}));
  TBatchProject missing;
  std::string error;
  EXPECT_FALSE(missing.Load(dir.File("none.BatchPrj"), &error));
  EXPECT_FALSE(error.empty());
}

TEST(BatchProject, ExtractRunsEachExistingScriptWithTheRealExecutable) {
  TTempDir dir("batchextract");
  std::filesystem::copy_file(TestExe("x86_64"), dir.File("test_app.exe"));
  WriteBytes(dir.File("App.RawScript"), "[main]\r\nExeFilename=test_app.exe\r\nDstFilename=App.rawmi\r\n"
                                        "doExtractEXE=1\r\ndoExtractMessages=1\r\ndoExtractDfm=1\r\n");
  const TBatchProject b = Batch(dir, "[RawScriptData]\r\nmissing.RawScript\r\nApp.RawScript\r\n");
  TAsk ask;
  ask.Yes = false;
  TGrabSession session;
  TGrabLog log;
  EXPECT_FALSE(BatchExtract(b, session, {}, ask.Fn(), log));
  EXPECT_EQ(ask.Questions, Lines{"Extract rawmi data?"});
  EXPECT_FALSE(FileExists(dir.File("App.rawmi")));

  ask.Yes = true;
  // A previous content is dropped: ErasePrevious of the base holds for every script.
  WriteBytes(dir.File("App.rawmi"), "[Stale]\r\nx.VC=y\r\n");
  EXPECT_TRUE(BatchExtract(b, session, {}, ask.Fn(), log));
  const std::string raw = ReadBytes(dir.File("App.rawmi"));
  EXPECT_NE(raw.find("[OptionsDlg]\r\nOptionsDlg._CN=TOptionsDlg\r\n"), std::string::npos) << raw;
  EXPECT_NE(raw.find("test_app_000_.msg=Hello world"), std::string::npos);
  EXPECT_EQ(raw.find("[Stale]"), std::string::npos);
  ASSERT_FALSE(log.Lines().empty());
  EXPECT_EQ(log.Lines().back(), "Extracting Complete");
  for (const std::string &line : log.Lines()) EXPECT_EQ(line.find("missing"), std::string::npos);
}

TEST(BatchProject, CompileEveryFileWithTheProjectReadOnce) {
  TTempDir dir("batchcompile");
  std::filesystem::create_directories(dir.File("raw/sub"));
  std::filesystem::create_directories(dir.File("out"));
  WriteBytes(dir.File("raw/A.rawmi"), "[F]\r\na.VC=One\r\nb.THF=S|L\r\n[Messages]\r\nA_000_.msg=File\r\n");
  WriteBytes(dir.File("raw/B.rawmi"), "[G]\r\nc.VC=Three\r\n[Messages]\r\nB_000_.msg=Folder\r\n");
  WriteBytes(dir.File("raw/sub/a.rawmi"), "[G]\r\nc.VC=Three\r\n");
  WriteBytes(dir.File("Fr.kxLng"), kProject);
  const TBatchProject b =
      Batch(dir, "[ExtractedFiles]\r\nraw/A.rawmi\r\nraw/gone.rawmi\r\nraw/B.rawmi\r\nraw/sub/a.rawmi\r\n");
  TAsk ask;
  TGrabLog log, echo;
  const TBatchCompileResult r = BatchCompile(b, dir.File("Fr.kxLng"), dir.File("out"), ask.Fn(), log, echo);
  EXPECT_EQ(ask.Questions, Lines{"Compile Files to " + dir.File("out") + "/"});
  EXPECT_EQ(r.Written, (Lines{dir.File("out/A.kxLng"), dir.File("out/B.kxLng")}));
  EXPECT_EQ(r.Missing, Lines{dir.File("raw/gone.rawmi")});
  EXPECT_EQ(r.Failures, 1); // sub/a.rawmi would overwrite A's output
  EXPECT_EQ(log.Lines().back(),
            "Refused!\tAnother listed file compiles to the same output:\t" + dir.File("out/a.kxLng"));
  EXPECT_EQ(ReadBytes(dir.File("out/A.kxLng")), "[_info]\r\nDestLng=fr\r\ndeflng=fr\r\n\r\n[F]\r\na.VC=Un\r\n"
                                                "b.TH=Court\r\nb.TF=Long\r\n\r\n[Messages]\r\nR=File\r\n"
                                                "L=Fichier\r\n\r\n");
  // The same as each compiled alone.
  TGrabLog alone, aloneEcho;
  ASSERT_EQ(Compile(dir.File("raw/B.rawmi"), dir.File("Fr.kxLng"), dir.File("B1.kxLng"), alone, aloneEcho),
            ECompileResult::Written);
  EXPECT_EQ(ReadBytes(dir.File("B1.kxLng")), ReadBytes(dir.File("out/B.kxLng")));

  // No: nothing cleared, nothing written. An empty folder is refused before writing.
  ask.Yes = false;
  std::filesystem::remove_all(dir.File("out"));
  EXPECT_FALSE(BatchCompile(b, dir.File("Fr.kxLng"), dir.File("out"), ask.Fn(), log, echo).Asked);
  EXPECT_FALSE(log.Lines().empty());
  ask.Yes = true;
  const TBatchCompileResult refused = BatchCompile(b, dir.File("Fr.kxLng"), "", ask.Fn(), log, echo);
  EXPECT_TRUE(refused.Written.empty());
  EXPECT_EQ(log.Lines(), Lines{"Refused!\tNo Compiled Dir given"});
  EXPECT_THROW(
      BatchCompile(Batch(dir, "[General]\r\n"), dir.File("Fr.kxLng"), dir.File("out"), ask.Fn(), log, echo),
      EGrabAssertion);
}

TEST(BatchProject, RebuildChecksEverythingBeforeReplacingAnything) {
  TTempDir dir("batchchecks");
  WriteBytes(dir.File("All.rawmi"), "[Old]\r\nk.VC=v\r\n");
  WriteBytes(dir.File("En.SrcLng"), "[Old]\r\nk.VC=v\r\n");
  const std::string general = "[General]\r\nRawDst=All.rawmi\r\nDstSrcLng=En.SrcLng\r\n";
  TAsk ask;
  TGrabLog log;
  auto unchanged = [&] {
    EXPECT_EQ(ReadBytes(dir.File("All.rawmi")), "[Old]\r\nk.VC=v\r\n");
    EXPECT_EQ(ReadBytes(dir.File("En.SrcLng")), "[Old]\r\nk.VC=v\r\n");
  };
  auto failure = [&](const std::string &text) -> std::string {
    try {
      BatchRebuild(Batch(dir, text), ask.Fn(), log);
    } catch (const EGrabAssertion &e) {
      return e.what();
    }
    return "no assertion";
  };
  EXPECT_EQ(failure("[General]\r\nRawDst=All.rawmi\r\n[ExtractedFiles]\r\nx\r\n"), "Assertion failure");
  EXPECT_TRUE(ask.Questions.empty());
  EXPECT_EQ(failure(general), "No Files to merge");
  EXPECT_EQ(failure(general + "[ExtractedFiles]\r\ngone.rawmi\r\n"), "No files processed..");
  EXPECT_EQ(failure(general + "[ExtractedFiles]\r\nAll.rawmi\r\n").find("A listed file is also an output"),
            0u);
  EXPECT_EQ(
      failure("[General]\r\nRawDst=All.rawmi\r\nDstSrcLng=./All.rawmi\r\n[ExtractedFiles]\r\nAll.rawmi\r\n")
          .find("RawDst and DstSrcLng are one file"),
      0u);
  unchanged();
  // Answered No: not even the backups are written.
  ask.Yes = false;
  std::filesystem::remove(dir.File("All.rawmi.~bu"));
  EXPECT_FALSE(BatchRebuild(Batch(dir, general + "[ExtractedFiles]\r\nAll.rawmi\r\n"), ask.Fn(), log));
  unchanged();
  EXPECT_FALSE(FileExists(dir.File("All.rawmi.~bu")));
}

TEST(BatchProject, RebuildMergesFiltersAndBuildsTheSourceFile) {
  TTempDir dir("batchrebuild");
  WriteBytes(dir.File("A.rawmi"), "[F]\r\na.VC=One\r\nb.VC=Two\r\n[Messages]\r\nA_000_.msg=File\r\n");
  WriteBytes(dir.File("B.rawmi"), "[F]\r\na.VC=Other\r\nc.VC=Three\r\n[G]\r\nd.VC=Four\r\n");
  WriteBytes(dir.File("filter.txt"), "[F]\r\nb.VC=x\r\n");
  WriteBytes(dir.File("En.SrcLng"), "[Old]\r\nk.VC=v\r\n");
  const std::string general =
      "[General]\r\nRawDst=All.rawmi\r\nDstSrcLng=En.SrcLng\r\nRawDstBL=filter.txt\r\n";
  TAsk ask;
  TGrabLog log;
  // One listed file: RawDst is a copy of it with the filter applied; without English texts the
  // source file is a copy of RawDst.
  auto options =
      BatchRebuild(Batch(dir, general + "[ExtractedFiles]\r\nA.rawmi\r\nmissing.rawmi\r\n"), ask.Fn(), log);
  ASSERT_TRUE(options);
  EXPECT_EQ(ask.Questions, Lines{"Rebuild SrcLng File?"});
  EXPECT_FALSE(options->ApplyEnglish);
  EXPECT_EQ(ReadBytes(dir.File("All.rawmi")), "[F]\r\na.VC=One\r\n\r\n[Messages]\r\nA_000_.msg=File\r\n\r\n");
  EXPECT_EQ(ReadBytes(dir.File("En.SrcLng")), ReadBytes(dir.File("All.rawmi")));
  EXPECT_EQ(ReadBytes(dir.File("En.SrcLng.~bu")), "[Old]\r\nk.VC=v\r\n");
  EXPECT_EQ(log.Lines().front(), "Rebuilding " + dir.File("All.rawmi"));
  EXPECT_EQ(log.Lines().back(), "done");

  // Two files and an English project: the first file wins, the second adds what is missing.
  WriteBytes(dir.File("En.kxLng"), "[F]\r\na.VC=First\r\n");
  options = BatchRebuild(
      Batch(dir, general + "RawEnLng=En.kxLng\r\n[ExtractedFiles]\r\nA.rawmi\r\nB.rawmi\r\n"), ask.Fn(), log);
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->ApplyEnglish);
  EXPECT_EQ(options->EnglishFile, dir.File("En.kxLng"));
  const std::string merged = ReadBytes(dir.File("All.rawmi"));
  EXPECT_NE(merged.find("a.VC=One\r\nc.VC=Three\r\n"), std::string::npos) << merged;
  EXPECT_NE(merged.find("[G]\r\nd.VC=Four\r\n"), std::string::npos) << merged;
  const std::string source = ReadBytes(dir.File("En.SrcLng"));
  EXPECT_NE(source.find("a.VC=First\r\n"), std::string::npos) << source;
  EXPECT_EQ(source.find("b.VC"), std::string::npos) << source;
}

TEST(BatchProject, UpdateKeepsTranslationsOfRenumberedMessages) {
  TTempDir dir("batchupdate");
  WriteBytes(dir.File("En.SrcLng"), "[F]\r\na.VC=One\r\n[Messages]\r\nA_000_.msg=New\r\nA_001_.msg=File\r\n");
  WriteBytes(dir.File("Fr.SrcLng"), "[F]\r\na.VC=One\r\n[Messages]\r\nA_000_.msg=File\r\n");
  WriteBytes(dir.File("Fr.kxLng"),
             "[_info]\r\nDestLng=fr\r\n[F]\r\na.VC=Un\r\n[Messages]\r\nA_000_.msg=Fichier\r\n");
  const TBatchProject b = Batch(dir, "[General]\r\nDstSrcLng=En.SrcLng\r\n");
  TAsk ask;
  TGrabLog log;
  ask.Yes = false;
  EXPECT_FALSE(BatchUpdate(b, dir.File("Fr.SrcLng"), "", false, ask.Fn(), log));
  EXPECT_EQ(ask.Questions, Lines{"Update Prj File?\r" + dir.File("Fr.SrcLng")});
  EXPECT_FALSE(FileExists(dir.File("Fr.SrcLng.~bu")));
  ask.Yes = true;
  EXPECT_TRUE(BatchUpdate(b, dir.File("Fr.SrcLng"), "", false, ask.Fn(), log));
  EXPECT_EQ(ReadBytes(dir.File("Fr.SrcLng")), ReadBytes(dir.File("En.SrcLng")));
  TIniFile kx;
  ASSERT_TRUE(kx.LoadFromFile(dir.File("Fr.kxLng")));
  EXPECT_EQ(kx.ReadString("Messages", "A_001_.msg"), "Fichier");
  EXPECT_EQ(kx.ReadString("Messages", "A_000_.msg"), "");
  EXPECT_EQ(kx.ReadString("F", "a.VC"), "Un");
  EXPECT_EQ(kx.ReadString("_info", "DestLng"), "fr");
  EXPECT_THROW(BatchUpdate(Batch(dir, "[General]\r\nDstSrcLng=none.SrcLng\r\n"), dir.File("Fr.SrcLng"), "",
                           false, ask.Fn(), log),
               EGrabAssertion);
}
