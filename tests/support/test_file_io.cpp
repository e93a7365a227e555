#include "support/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vt {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("vt_file_io_" + std::to_string(::getpid()));
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }
  std::string P(const std::string &name) const { return (FDir / name).string(); }
  std::string Read(const std::string &name) const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(P(name), bytes));
    return bytes;
  }
  // Files of the folder other than the given ones (left-over temporary files show up here).
  std::size_t Others(std::initializer_list<std::string> known) const {
    std::size_t n = 0;
    for (const auto &e : fs::directory_iterator(FDir))
      if (std::find(known.begin(), known.end(), e.path().filename().string()) == known.end()) ++n;
    return n;
  }
  fs::path FDir;
};

TEST_F(FileIo, AtomicWriteReplacesWholeAndKeepsTheMode) {
  ASSERT_TRUE(WriteFileAtomic(P("a.txt"), "first"));
  ::chmod(P("a.txt").c_str(), 0600);
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(P("a.txt"), std::string("se\0cond", 7), &error, TFileSync::NoFlush)) << error;
  EXPECT_EQ(Read("a.txt"), std::string("se\0cond", 7));
  struct stat st {};
  ASSERT_EQ(::stat(P("a.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(Others({"a.txt"}), 0u);
}

TEST_F(FileIo, FailedWriteLeavesTheTargetAndNoTemporaryFile) {
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(P("missing/a.txt"), "x", &error));
  EXPECT_NE(error.find("missing/a.txt"), std::string::npos) << error;
  // A folder where the file should be: the rename fails, the folder and its content stay.
  fs::create_directories(P("dir"));
  ASSERT_TRUE(WriteFileAtomic(P("dir/inner.txt"), "keep"));
  error.clear();
  EXPECT_FALSE(WriteFileAtomic(P("dir"), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Read("dir/inner.txt"), "keep");
  EXPECT_EQ(Others({"dir"}), 0u);
}

TEST_F(FileIo, ReadRefusesWhatItCannotTakeWhole) {
  std::string bytes = "stale", error;
  EXPECT_FALSE(ReadFileBytes(P("none"), bytes, &error));
  EXPECT_TRUE(bytes.empty());
  EXPECT_NE(error.find("Unable to open file"), std::string::npos);
  ASSERT_TRUE(WriteFileAtomic(P("big"), std::string(100, 'x')));
  EXPECT_FALSE(ReadFileBytes(P("big"), bytes, &error, 99));
  EXPECT_NE(error.find("too large"), std::string::npos);
  EXPECT_TRUE(ReadFileBytes(P("big"), bytes, &error, 100));
  EXPECT_FALSE(ReadFileBytes(FDir.string(), bytes, &error));
  EXPECT_TRUE(FileExists(P("big")));
  EXPECT_FALSE(FileExists(FDir.string()));
  EXPECT_FALSE(FileExists(""));
}

TEST_F(FileIo, ReadIntoFileBytesGivesWhatTheStringReadGives) {
  // Empty, small, and past 2 MiB (not a multiple of it).
  std::string pattern;
  for (std::size_t i = 0; pattern.size() < (std::size_t{5} << 20) + 7; ++i)
    pattern += std::to_string(i) + ',';
  for (const std::string &bytes : {std::string(), std::string("R=a\r\nL=b"), pattern}) {
    ASSERT_TRUE(WriteFileAtomic(P("f"), bytes));
    TFileBytes read;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(P("f"), read, &error)) << error;
    EXPECT_EQ(read.View(), bytes);
  }
  std::string error, stringError, unused;
  TFileBytes read;
  ASSERT_TRUE(ReadFileBytes(P("f"), read));
  for (const std::string &path : {P("none"), FDir.string()}) {
    EXPECT_FALSE(ReadFileBytes(path, read, &error));
    EXPECT_TRUE(read.View().empty());
    EXPECT_FALSE(ReadFileBytes(path, unused, &stringError));
    EXPECT_EQ(error, stringError);
  }
  EXPECT_FALSE(ReadFileBytes(P("f"), read, &error, pattern.size() - 1));
  EXPECT_NE(error.find("too large"), std::string::npos);
  EXPECT_TRUE(ReadFileBytes(P("f"), read, &error, pattern.size()));
}

TEST_F(FileIo, BackupCopiesOverwritesAndSkipsMissingFiles) {
  ASSERT_TRUE(WriteFileAtomic(P("f.kxLng"), "one"));
  ASSERT_TRUE(BackupFile(P("f.kxLng")));
  ASSERT_TRUE(WriteFileAtomic(P("f.kxLng"), "two"));
  ASSERT_TRUE(BackupFile(P("f.kxLng")));
  EXPECT_EQ(Read("f.kxLng.~bu"), "two");
  EXPECT_TRUE(BackupFile(P("none.kxLng")));
  EXPECT_FALSE(fs::exists(P("none.kxLng.~bu")));
  // The copy cannot be written (a folder stands in its place): false with the copy's name.
  fs::create_directories(P("g.kxLng.~bu"));
  ASSERT_TRUE(WriteFileAtomic(P("g.kxLng"), "g"));
  std::string error;
  EXPECT_FALSE(BackupFile(P("g.kxLng"), &error));
  EXPECT_NE(error.find("g.kxLng.~bu"), std::string::npos) << error;
  EXPECT_EQ(Others({"f.kxLng", "f.kxLng.~bu", "g.kxLng", "g.kxLng.~bu"}), 0u);
}

TEST_F(FileIo, BackupCopiesLargeAndEmptyFilesWhole) {
  // Larger than any one step of the copy, with bytes that differ from place to place; then smaller
  // (the old copy must not leave a tail), then empty.
  std::string big(5 << 20, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 7919) >> 3);
  ASSERT_TRUE(WriteFileAtomic(P("big.kxLng"), big));
  ASSERT_TRUE(BackupFile(P("big.kxLng")));
  EXPECT_TRUE(Read("big.kxLng.~bu") == big);
  ASSERT_TRUE(WriteFileAtomic(P("big.kxLng"), "short"));
  ASSERT_TRUE(BackupFile(P("big.kxLng")));
  EXPECT_EQ(Read("big.kxLng.~bu"), "short");
  ASSERT_TRUE(WriteFileAtomic(P("big.kxLng"), ""));
  ASSERT_TRUE(BackupFile(P("big.kxLng")));
  EXPECT_TRUE(fs::exists(P("big.kxLng.~bu")));
  EXPECT_EQ(Read("big.kxLng.~bu"), "");
  EXPECT_EQ(Others({"big.kxLng", "big.kxLng.~bu"}), 0u);
}

TEST_F(FileIo, BackupLeavesAnEqualCopyAndReplacesAnyOther) {
  const auto inode = [this](const char *name) {
    struct stat st {};
    return ::lstat(P(name).c_str(), &st) == 0 ? st.st_ino : 0;
  };
  // Longer than one step of the comparison; then the same size with only the last byte changed.
  std::string text(3 << 20, 'a');
  ASSERT_TRUE(WriteFileAtomic(P("f.kxLng"), text));
  ASSERT_TRUE(BackupFile(P("f.kxLng")));
  const auto first = inode("f.kxLng.~bu");
  ASSERT_TRUE(BackupFile(P("f.kxLng")));
  EXPECT_EQ(inode("f.kxLng.~bu"), first) << "an equal copy stays as it is";
  text.back() = 'b';
  ASSERT_TRUE(WriteFileAtomic(P("f.kxLng"), text));
  ASSERT_TRUE(BackupFile(P("f.kxLng")));
  EXPECT_TRUE(Read("f.kxLng.~bu") == text);
  // A link in the copy's place is replaced by a copy, even when it leads to equal bytes.
  fs::remove(P("f.kxLng.~bu"));
  fs::create_symlink(P("f.kxLng"), P("f.kxLng.~bu"));
  ASSERT_TRUE(BackupFile(P("f.kxLng")));
  EXPECT_FALSE(fs::is_symlink(P("f.kxLng.~bu")));
  EXPECT_TRUE(Read("f.kxLng.~bu") == text);
  EXPECT_EQ(Others({"f.kxLng", "f.kxLng.~bu"}), 0u);
}

TEST(FilePaths, ExtensionsAndFolders) {
  EXPECT_EQ(ChangeFileExt("/a/b/Demo.kxLng", ".SrcLng"), "/a/b/Demo.SrcLng");
  EXPECT_EQ(ChangeFileExt("/a.b/Demo", ".SrcLng"), "/a.b/Demo.SrcLng");
  EXPECT_EQ(ChangeFileExt("Demo.x.AutoLng", ".kxLng"), "Demo.x.kxLng");
  EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
  EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
  EXPECT_EQ(ExtractFileDir("c.txt"), "");
  EXPECT_EQ(ExtractFileDir("/c.txt"), "/");
}

} // namespace
} // namespace vt
