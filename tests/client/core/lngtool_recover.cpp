// lngtool recover: the journal replayed without a window, dry run first, then for real.
#include "client/core/edit_journal.h"
#include "lngtool_runner.h"
#include "support/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vt {
namespace {

namespace fs = std::filesystem;

using test::LngtoolWithErrors;
using test::TLngtoolResult;

TEST(LngtoolRecover, DryRunChangesNothingThenTheJournalIsSavedAndRemoved) {
  const fs::path dir = fs::temp_directory_path() / ("vt-recover-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string src = (dir / "P.SrcLng").string(), trans = (dir / "P.kxLng").string();
  ASSERT_TRUE(WriteFileAtomic(src, "[F1]\nbtnOk.TC=OK\nbtnNo.TC=No\n"));
  const std::string original = "[_info]\nDestLng=es\n\n[F1]\nbtnOk.TC=Aceptar\n";
  ASSERT_TRUE(WriteFileAtomic(trans, original));
  std::string journal = FormatJournalHeader("P.kxLng");
  journal += FormatJournalRecord({"F1/btnNo.TC", "[!]No\\tvale", "check"});
  journal += FormatJournalRecord({"F1/gone.TC", "x", ""});
  journal += "R\tF1/btnOk.TC\tcut off";
  ASSERT_TRUE(WriteFileAtomic(JournalPathFor(trans), journal));

  TLngtoolResult run = LngtoolWithErrors("recover --dry-run " + trans);
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("entries: 2\napplied: 1\nmissing: 1\ndamaged: 1\n"), std::string::npos) << run.Out;
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(trans, bytes));
  EXPECT_EQ(bytes, original);
  EXPECT_TRUE(fs::exists(JournalPathFor(trans)));

  run = LngtoolWithErrors("recover " + src);
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_FALSE(fs::exists(JournalPathFor(trans)));
  TRef<TWordList> project(new TWordList);
  ASSERT_TRUE(project->Open(trans));
  EXPECT_EQ(project->FindEntry("F1/btnNo.TC")->Translation, "[!]No\\tvale");
  EXPECT_EQ(project->FindEntry("F1/btnNo.TC")->Comment, "check");
  EXPECT_EQ(project->FindEntry("F1/btnOk.TC")->Translation, "Aceptar");

  // Without a journal, or with one of another project, it fails with a message.
  run = LngtoolWithErrors("recover " + trans);
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Out.find("No journal of unsaved changes: " + JournalPathFor(trans)), std::string::npos)
      << run.Out;
  ASSERT_TRUE(WriteFileAtomic(JournalPathFor(trans), FormatJournalHeader("Other.kxLng") +
                                                         FormatJournalRecord({"F1/btnOk.TC", "mal", ""})));
  run = LngtoolWithErrors("recover " + trans);
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Out.find("belongs to Other.kxLng; nothing recovered"), std::string::npos) << run.Out;
  TRef<TWordList> unchanged(new TWordList);
  ASSERT_TRUE(unchanged->Open(trans));
  EXPECT_EQ(unchanged->FindEntry("F1/btnOk.TC")->Translation, "Aceptar");
  fs::remove_all(dir);
}

} // namespace
} // namespace vt
