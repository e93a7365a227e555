// The crash module's plain parts: the log ring, the signal-safe date formatting, report names and
// the report folder (new, offered, pruned, left behind by a process that died).
#include "crash/crash_log.h"
#include "crash/crash_reports.h"
#include "crash/signal_safe_io.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vt {
namespace {

class TempFolder {
public:
  TempFolder() {
    FPath = fs::temp_directory_path() /
            ("vt-crash-test-" + std::to_string(::getpid()) + "-" + std::to_string(++Count));
    fs::remove_all(FPath);
    fs::create_directories(FPath);
  }
  ~TempFolder() { fs::remove_all(FPath); }
  std::string Path() const { return FPath.string(); }
  std::string File(const std::string &name) const { return (FPath / name).string(); }
  void Write(const std::string &name, const std::string &bytes) const { std::ofstream(File(name)) << bytes; }

private:
  static inline int Count = 0;
  fs::path FPath;
};

std::string Names(const std::vector<std::string> &paths) {
  std::string out;
  for (const std::string &p : paths) out += fs::path(p).filename().string() + " ";
  return out;
}

TEST(CrashLog, KeepsTheLastLinesInOrderCutAndOnOneLine) {
  ClearLogLines();
  for (int i = 0; i < 250; ++i) RememberLogLine("line " + std::to_string(i));
  RememberLogLine("two\nparts\r");
  RememberLogLine(std::string(1000, 'x'));
  const std::vector<std::string> lines = RecentLogLines();
  ASSERT_EQ(lines.size(), kCrashLogLines);
  EXPECT_EQ(lines.front(), "line 52");
  EXPECT_EQ(lines[lines.size() - 3], "line 249");
  EXPECT_EQ(lines[lines.size() - 2], "two parts ");
  EXPECT_EQ(lines.back(), std::string(kCrashLogLineBytes, 'x'));

  // What the signal handler writes is the same text, one line each.
  std::FILE *tmp = std::tmpfile();
  ASSERT_NE(tmp, nullptr);
  WriteRecentLogLines(::fileno(tmp));
  std::rewind(tmp);
  std::string written;
  for (int c; (c = std::fgetc(tmp)) != EOF;) written += static_cast<char>(c);
  std::fclose(tmp);
  std::string expected;
  for (const std::string &l : lines) expected += l + "\n";
  EXPECT_EQ(written, expected);
  ClearLogLines();
  EXPECT_TRUE(RecentLogLines().empty());
}

TEST(SignalSafeIo, DatesMatchTheCLibraryAcrossLeapYearsAndCenturies) {
  char buffer[32];
  for (std::time_t t : {std::time_t{0}, std::time_t{951782400} /* 2000-02-29 */, std::time_t{4107542399},
                        std::time_t{1796688000}, std::time_t{-86401}}) {
    std::tm tm{};
    ASSERT_NE(::gmtime_r(&t, &tm), nullptr);
    char expected[40];
    std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S UTC", &tm);
    EXPECT_EQ(std::string(buffer, FormatUtcTime(t, buffer)), expected) << t;
    std::strftime(expected, sizeof expected, "%Y%m%d-%H%M%S", &tm);
    EXPECT_EQ(std::string(buffer, FormatUtcStamp(t, buffer)), expected) << t;
  }
  // Every day of four years, at a time of day that moves.
  for (std::time_t t = 1577836800; t < 1577836800 + 4 * 366 * 86400; t += 86400 + 3607) {
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    char expected[40];
    std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S UTC", &tm);
    ASSERT_EQ(std::string(buffer, FormatUtcTime(t, buffer)), expected) << t;
  }
}

TEST(SignalSafeIo, BoundedCopiesNeverRunOver) {
  char small[8];
  EXPECT_EQ(SafeCopy(small, sizeof small, "abcdefghijk"), 7u);
  EXPECT_STREQ(small, "abcdefg");
  std::size_t n = SafeCopy(small, sizeof small, "ab");
  n = SafeAppendDecimal(small, sizeof small, n, -12345);
  EXPECT_STREQ(small, "ab-1234");
  EXPECT_EQ(n, 7u);
}

TEST(CrashReports, NamesSortByTimeAndTellNewFromOffered) {
  const std::string fresh = CrashReportName(951782400, 4711, true);
  EXPECT_EQ(fresh, "crash-20000229-000000-4711.new.txt");
  EXPECT_TRUE(IsCrashReportName(fresh));
  EXPECT_TRUE(IsNewCrashReportName(fresh));
  const std::string seen = CrashReportName(951782400, 4711, false);
  EXPECT_TRUE(IsCrashReportName(seen));
  EXPECT_FALSE(IsNewCrashReportName(seen));
  EXPECT_FALSE(IsCrashReportName(CrashSessionName(4711)));
  EXPECT_FALSE(IsCrashReportName("crash-notes.doc"));
}

TEST(CrashReports, NewReportsAreOfferedOnceAndTheOldestArePruned) {
  TempFolder dir;
  for (int i = 0; i < 25; ++i) dir.Write(CrashReportName(1000000 + i * 60, 100 + i, i >= 22), "report");
  dir.Write("notes.txt", "not a report");
  std::vector<std::string> fresh = NewCrashReports(dir.Path());
  ASSERT_EQ(fresh.size(), 3u);
  EXPECT_EQ(Names(fresh), CrashReportName(1000000 + 22 * 60, 122, true) + " " +
                              CrashReportName(1000000 + 23 * 60, 123, true) + " " +
                              CrashReportName(1000000 + 24 * 60, 124, true) + " ");
  const std::string seen = MarkCrashReportSeen(fresh.back());
  EXPECT_EQ(fs::path(seen).filename().string(), CrashReportName(1000000 + 24 * 60, 124, false));
  EXPECT_TRUE(fs::exists(seen));
  EXPECT_EQ(NewCrashReports(dir.Path()).size(), 2u);
  EXPECT_EQ(MarkCrashReportSeen(seen), seen); // already offered

  PruneCrashReports(dir.Path(), kKeptCrashReports);
  const std::vector<std::string> all = AllCrashReports(dir.Path());
  ASSERT_EQ(all.size(), kKeptCrashReports);
  EXPECT_EQ(fs::path(all.front()).filename().string(), CrashReportName(1000000 + 5 * 60, 105, false));
  EXPECT_TRUE(fs::exists(dir.File("notes.txt")));
}

TEST(CrashReports, SessionFilesOfGoneProcessesBecomeReportsOrVanish) {
  TempFolder dir;
  dir.Write(CrashSessionName(111), "Crash report of transclient\nSignal: SIGSEGV\n");
  dir.Write(CrashSessionName(222), "");
  dir.Write(CrashSessionName(333), "");
  // A running process holds the lock on its session file: that one stays as it is.
  const int held = ::open(dir.File(CrashSessionName(333)).c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  EXPECT_EQ(RecoverStaleSessions(dir.Path()), 1);
  const std::vector<std::string> fresh = NewCrashReports(dir.Path());
  ASSERT_EQ(fresh.size(), 1u);
  EXPECT_NE(fresh[0].find("-111.new.txt"), std::string::npos);
  std::ifstream in(fresh[0]);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "Crash report of transclient");
  EXPECT_FALSE(fs::exists(dir.File(CrashSessionName(222))));
  EXPECT_TRUE(fs::exists(dir.File(CrashSessionName(333))));
  ::close(held);
}

} // namespace
} // namespace vt
