// The journal of unsaved edits: its lines survive any bytes in the values, damaged and cut-off
// lines are skipped and counted, a journal of another project is refused, replay restores the
// stored values byte for byte, and the writer collects, flushes and deletes as the window needs.
#include "client/core/edit_journal.h"
#include "support/file_io.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vt {
namespace {

namespace fs = std::filesystem;

class JournalTest : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("vt-journal-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    Write("P.SrcLng", "[F1]\nbtnOk.TC=OK\nbtnNo.TC=No\nlbl.TC=Label\n[F2]\nmsg.MG=Message\n");
    Write("P.kxLng", "[_info]\nDestLng=es\n\n[F1]\nbtnOk.TC=Aceptar\n");
    Project = TRef<TWordList>(new TWordList);
    ASSERT_TRUE(Project->Open(File("P.kxLng")));
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::string File(const std::string &name) const { return (Dir / name).string(); }
  void Write(const std::string &name, const std::string &bytes) const {
    ASSERT_TRUE(WriteFileAtomic(File(name), bytes));
  }
  std::string Read(const std::string &name) const {
    std::string bytes;
    ReadFileBytes(File(name), bytes);
    return bytes;
  }

  fs::path Dir;
  TRef<TWordList> Project;
};

TEST(JournalFormat, AnyBytesInTheValuesComeBackUnchanged) {
  const std::vector<TJournalRecord> records = {
      {"F1/btnOk.TC", "[?!]Ac\\eptar\\n", "tab\there, line\nbreak\r and \\ backslash"},
      {"F1/btnNo.TC", "", ""},
      {"F2/msg.MG", std::string("\x00\xff\xc3\xa9|\t\\t", 9), "\x80"},
  };
  std::string bytes = FormatJournalHeader("P.kxLng");
  for (const TJournalRecord &r : records) bytes += FormatJournalRecord(r);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 4);
  const TJournalContents contents = ParseJournal(bytes);
  EXPECT_TRUE(contents.HeaderOk);
  EXPECT_EQ(contents.ProjectName, "P.kxLng");
  EXPECT_EQ(contents.Damaged, 0);
  ASSERT_EQ(contents.Records.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(contents.Records[i].FullId, records[i].FullId);
    EXPECT_EQ(contents.Records[i].Translation, records[i].Translation);
    EXPECT_EQ(contents.Records[i].Comment, records[i].Comment);
  }
}

TEST(JournalFormat, DamagedAndCutOffLinesAreSkippedAndCounted) {
  std::string bytes = FormatJournalHeader("P.kxLng");
  bytes += FormatJournalRecord({"F1/a.TC", "one", ""});
  std::string flipped = FormatJournalRecord({"F1/b.TC", "two", ""});
  flipped[10] ^= 1; // a changed byte fails the checksum
  bytes += flipped;
  bytes += "R\tF1/c.TC\tno checksum\n";
  bytes += FormatJournalRecord({"F1/d.TC", "four", "c"});
  const std::string last = FormatJournalRecord({"F1/e.TC", "five", ""});
  // Cut at every place inside the last line: the records before it always survive.
  for (std::size_t cut = 1; cut < last.size(); ++cut) {
    const TJournalContents contents = ParseJournal(bytes + last.substr(0, cut));
    ASSERT_EQ(contents.Records.size(), 2u) << cut;
    EXPECT_EQ(contents.Records[0].FullId, "F1/a.TC");
    EXPECT_EQ(contents.Records[1].FullId, "F1/d.TC");
    EXPECT_EQ(contents.Damaged, 3) << cut;
  }
  EXPECT_EQ(ParseJournal(bytes + last).Records.size(), 3u);
  // Without an intact header the records are still read, but nothing says whose they are.
  const TJournalContents headless = ParseJournal(FormatJournalRecord({"F1/a.TC", "x", ""}));
  EXPECT_FALSE(headless.HeaderOk);
  EXPECT_EQ(headless.Records.size(), 1u);
  EXPECT_EQ(ParseJournal("").Records.size(), 0u);
  EXPECT_EQ(ParseJournal("\n\n").Damaged, 2);
}

TEST_F(JournalTest, ReplayRestoresValuesSkipsVanishedEntriesAndRefusesOtherProjects) {
  std::string bytes = FormatJournalHeader("P.kxLng");
  bytes += FormatJournalRecord({"F1/btnNo.TC", "[?]No\\nmore", "ask"});
  bytes += FormatJournalRecord({"F1/gone.TC", "x", ""});
  bytes += FormatJournalRecord({"F2/msg.MG", "first", ""});
  bytes += FormatJournalRecord({"F2/msg.MG", "Mensaje", ""});
  const TJournalContents contents = ParseJournal(bytes + "R\tbroken");
  EXPECT_EQ(CountJournalEntries(contents), 3);

  const TReplayResult other = ReplayJournal(*Project, "Q.kxLng", contents);
  EXPECT_TRUE(other.Refused);
  EXPECT_EQ(other.Applied, 0);
  EXPECT_FALSE(Project->Modified);
  EXPECT_EQ(Project->FindEntry("F1/btnNo.TC")->Translation, "");

  const TReplayResult result = ReplayJournal(*Project, "P.kxLng", contents);
  EXPECT_FALSE(result.Refused);
  EXPECT_EQ(result.Applied, 3);
  EXPECT_EQ(result.Missing, 1);
  EXPECT_EQ(result.Damaged, 1);
  EXPECT_TRUE(Project->Modified);
  const TWordObj *no = Project->FindEntry("F1/btnNo.TC");
  EXPECT_EQ(no->Translation, "[?]No\\nmore");
  EXPECT_EQ(no->Comment, "ask");
  EXPECT_TRUE(no->Changed);
  EXPECT_EQ(Project->FindEntry("F2/msg.MG")->Translation, "Mensaje");
  EXPECT_FALSE(Project->FindEntry("F1/lbl.TC")->Changed);

  // Saved, the project holds exactly the replayed values.
  ASSERT_TRUE(Project->Save());
  TRef<TWordList> again(new TWordList);
  ASSERT_TRUE(again->Open(File("P.kxLng")));
  EXPECT_EQ(again->FindEntry("F1/btnNo.TC")->Translation, "[?]No\\nmore");
  EXPECT_EQ(again->FindEntry("F1/btnNo.TC")->Comment, "ask");
}

TEST_F(JournalTest, TheWriterMakesTheFileOnlyForEditsAndWritesEachChangeOnce) {
  auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
  TEditJournal journal([&] { return now; });
  journal.Start(File("P.kxLng"), false);
  EXPECT_EQ(journal.Path(), File("P.kxLng.journal"));
  TWordObj *ok = Project->FindEntry("F1/btnOk.TC");
  journal.Baseline(*ok);
  journal.Note(*ok); // unchanged since it became current
  EXPECT_FALSE(journal.Pending());
  EXPECT_TRUE(journal.Flush());
  EXPECT_FALSE(fs::exists(journal.Path()));

  ok->Translation = "Vale";
  journal.Note(*ok);
  journal.Note(*ok); // nothing new
  EXPECT_TRUE(journal.Pending());
  now += std::chrono::milliseconds(999);
  EXPECT_TRUE(journal.FlushIfDue());
  EXPECT_FALSE(fs::exists(journal.Path())); // not due yet
  now += std::chrono::milliseconds(1);
  EXPECT_TRUE(journal.FlushIfDue());
  EXPECT_FALSE(journal.Pending());
  ok->Comment = "short";
  journal.Note(*ok);
  EXPECT_TRUE(journal.Flush());

  TJournalContents contents;
  ASSERT_TRUE(ReadJournalFile(journal.Path(), contents));
  EXPECT_TRUE(contents.HeaderOk);
  ASSERT_EQ(contents.Records.size(), 2u);
  EXPECT_EQ(contents.Records[0].Translation, "Vale");
  EXPECT_EQ(contents.Records[1].Comment, "short");

  // Started again with append (after a recovery), the records go on; without, it starts afresh.
  journal.Stop();
  EXPECT_TRUE(fs::exists(File("P.kxLng.journal")));
  journal.Start(File("P.kxLng"), true);
  ok->Translation = "Si";
  journal.Note(*ok);
  ASSERT_TRUE(journal.Flush());
  ASSERT_TRUE(ReadJournalFile(journal.Path(), contents));
  EXPECT_EQ(contents.Records.size(), 3u);
  journal.Start(File("P.kxLng"), false);
  ok->Translation = "Bueno";
  journal.Note(*ok);
  ASSERT_TRUE(journal.Flush());
  ASSERT_TRUE(ReadJournalFile(journal.Path(), contents));
  EXPECT_TRUE(contents.HeaderOk);
  ASSERT_EQ(contents.Records.size(), 1u);
  EXPECT_EQ(contents.Records[0].Translation, "Bueno");

  journal.Discard();
  EXPECT_FALSE(journal.Active());
  EXPECT_FALSE(fs::exists(File("P.kxLng.journal")));
}

TEST_F(JournalTest, AJournalThatCannotBeWrittenKeepsItsRecordsAndSaysWhy) {
  TEditJournal journal;
  journal.Start(File("no-such-folder/P.kxLng"), false);
  TWordObj *ok = Project->FindEntry("F1/btnOk.TC");
  ok->Translation = "Vale";
  journal.Note(*ok);
  std::string error;
  EXPECT_FALSE(journal.Flush(&error));
  EXPECT_NE(error.find("no-such-folder/P.kxLng.journal"), std::string::npos) << error;
  EXPECT_TRUE(journal.Pending());
}

TEST_F(JournalTest, ADeclinedJournalIsSetAside) {
  Write("P.kxLng.journal", FormatJournalHeader("P.kxLng"));
  const std::string path = JournalPathFor(TranslationFileOf(*Project));
  EXPECT_EQ(path, File("P.kxLng.journal"));
  ASSERT_TRUE(SetJournalAside(path));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(Read("P.kxLng.journal.old"), FormatJournalHeader("P.kxLng"));
  std::string error;
  EXPECT_FALSE(SetJournalAside(path, &error));
  EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace vt
