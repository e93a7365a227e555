// The zip archive: what it writes reads back (here and in other tools, see the lngtool script),
// damaged and hostile archives fail with one clear error and leave the archive object unchanged,
// and the writer keeps within the format.
#include "support/zip_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <zlib.h>

namespace vt {
namespace {

namespace fs = std::filesystem;

const TZipTime kMoment{2026, 12, 8, 3, 15, 42};

TZipFile MakeArchive(const std::vector<std::pair<std::string, std::string>> &members) {
  TZipFile zip([] { return kMoment; });
  for (const auto &[name, data] : members) {
    zip.AddFile(name, 0);
    zip.SetData(zip.Count() - 1, data);
  }
  return zip;
}

std::string TwoMemberBytes() {
  return MakeArchive({{"f1", "first text\r\n"}, {"f2", std::string(3000, 'a') + "tail of the second text"}})
      .ToBytes();
}

void SetU16(std::string &bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}

void SetU32(std::string &bytes, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Offsets within an archive of our own writing: local header fields are at a fixed place after
// each "PK\3\4", central entries after each "PK\1\2".
std::size_t NthSignature(const std::string &bytes, std::string_view sig, int n) {
  std::size_t at = 0;
  for (int i = 0; i <= n; ++i) {
    at = bytes.find(sig, i == 0 ? 0 : at + 1);
    if (at == std::string::npos) return at;
  }
  return at;
}
constexpr std::string_view kLocalSig("PK\x03\x04", 4), kCentralSig("PK\x01\x02", 4), kEndSig("PK\x05\x06", 4);

std::string ErrorOf(const std::function<void()> &fn) {
  try {
    fn();
  } catch (const EZipFileError &e) {
    return e.what();
  }
  return "";
}

TEST(ZipFile, MembersReadBackWithNamesTextsAndHeaders) {
  const std::string bytes = TwoMemberBytes();
  TZipFile zip;
  zip.ReadFromBytes(bytes);
  ASSERT_EQ(zip.Count(), 2);
  EXPECT_EQ(zip.Name(0), "f1");
  EXPECT_EQ(zip.GetData(0), "first text\r\n");
  EXPECT_EQ(zip.GetData(1), std::string(3000, 'a') + "tail of the second text");
  for (int i = 0; i < 2; ++i) {
    const TLocalFile &m = zip.Member(i);
    EXPECT_EQ(m.Header.Method, 8);
    EXPECT_EQ(m.Header.VersionNeeded, 20);
    EXPECT_EQ(m.Header.Flag, 0);
    EXPECT_TRUE(m.Extra.empty());
    // Time and date come from the injected clock, as MS-DOS fields.
    EXPECT_EQ(m.Header.Date >> 9, 2026 - 1980);
    EXPECT_EQ((m.Header.Date >> 5) & 15, 12);
    EXPECT_EQ(m.Header.Time >> 11, 3);
    EXPECT_EQ((m.Header.Time & 31) * 2, 42);
    // The directory entry repeats the local header and points at it.
    EXPECT_EQ(zip.Directory(i).Header.Crc32, m.Header.Crc32);
    EXPECT_EQ(zip.Directory(i).LocalHeaderOffset, NthSignature(bytes, kLocalSig, i));
  }
  EXPECT_EQ(zip.EndRecord().TotalEntries, 2);
  EXPECT_EQ(zip.EndRecord().CentralDirOffset, NthSignature(bytes, kCentralSig, 0));
  EXPECT_LT(zip.Member(1).Header.CompressedSize, 200u) << "the repeated text is deflated";

  // Writing what was read gives the same bytes; streams carry the same archive.
  EXPECT_EQ(zip.ToBytes(), bytes);
  std::stringstream stream;
  zip.WriteToStream(stream);
  TZipFile fromStream;
  fromStream.ReadFromStream(stream);
  EXPECT_EQ(fromStream.ToBytes(), bytes);
}

TEST(ZipFile, Crc32AgreesWithZlibOnEveryLengthAndAlignment) {
  std::mt19937 rng(7);
  std::string data(4096 + 13, '\0');
  for (char &c : data) c = static_cast<char>(rng());
  EXPECT_EQ(TZipFile::Crc32(""), 0u);
  for (std::size_t from = 0; from < 9; ++from)
    for (std::size_t len : {0u, 1u, 7u, 8u, 9u, 63u, 64u, 1000u, 4096u}) {
      const std::string_view part = std::string_view(data).substr(from, len);
      EXPECT_EQ(TZipFile::Crc32(part),
                crc32(0, reinterpret_cast<const Bytef *>(part.data()), static_cast<uInt>(part.size())))
          << from << "+" << len;
    }
}

TEST(ZipFile, EmptyMemberHasCrcZeroAndReadsBackEmpty) {
  TZipFile zip;
  zip.ReadFromBytes(MakeArchive({{"empty", ""}}).ToBytes());
  const TZipCommonHeader &h = zip.Member(0).Header;
  EXPECT_EQ(h.Crc32, 0u);
  EXPECT_EQ(h.UncompressedSize, 0u);
  EXPECT_GT(h.CompressedSize, 0u) << "an empty input still has its short deflate stream";
  EXPECT_EQ(zip.GetData(0), "");
}

TEST(ZipFile, IndexIsCheckedAtBothEnds) {
  TZipFile zip = MakeArchive({{"a", "x"}});
  for (int bad : {-1, 1, 1000}) {
    EXPECT_EQ(ErrorOf([&] { zip.GetData(bad); }), "Index out of range.");
    EXPECT_EQ(ErrorOf([&] { zip.SetData(bad, "y"); }), "Index out of range.");
    EXPECT_EQ(ErrorOf([&] { (void)zip.Name(bad); }), "Index out of range.");
  }
  EXPECT_EQ(zip.GetData(0), "x");
}

TEST(ZipFile, EveryFlippedDataByteIsACrcErrorNamingTheMember) {
  const std::string bytes = TwoMemberBytes();
  TZipFile clean;
  clean.ReadFromBytes(bytes);
  const std::size_t dataStart = NthSignature(bytes, kLocalSig, 1) + 30 + 2;
  const std::size_t dataSize = clean.Member(1).Header.CompressedSize;
  for (std::size_t i = 0; i < dataSize; ++i) {
    std::string damaged = bytes;
    damaged[dataStart + i] = static_cast<char>(damaged[dataStart + i] ^ 0xFF);
    TZipFile zip;
    zip.ReadFromBytes(damaged);
    EXPECT_EQ(zip.GetData(0), "first text\r\n");
    try {
      zip.GetData(1);
      ADD_FAILURE() << "byte " << i << " flipped went unnoticed";
    } catch (const EZipFileCRCError &e) {
      EXPECT_STREQ(e.what(), "CRC Error in \"f2\".");
    }
  }
}

TEST(ZipFile, EveryTruncationFailsAndLeavesTheArchiveEmpty) {
  const std::string bytes = TwoMemberBytes();
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    TZipFile zip;
    const std::string error = ErrorOf([&] { zip.ReadFromBytes(std::string_view(bytes).substr(0, n)); });
    // Fewer than four bytes hold no local header at all: an empty archive, as from any other stream.
    if (n >= 4) {
      EXPECT_NE(error, "") << n;
    }
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_EQ(zip.Count(), 0) << n;
  }
}

TEST(ZipFile, SurplusDirectoryEntriesAreDroppedAndMissingOnesRefused) {
  const std::string bytes = TwoMemberBytes();
  const std::size_t second = NthSignature(bytes, kLocalSig, 1), dir = NthSignature(bytes, kCentralSig, 0);
  // Cut the second member out: the directory still lists two.
  std::string surplus = bytes.substr(0, second) + bytes.substr(dir);
  SetU32(surplus, surplus.size() - 6, static_cast<std::uint32_t>(second)); // directory offset
  TZipFile zip;
  zip.ReadFromBytes(surplus);
  ASSERT_EQ(zip.Count(), 1);
  EXPECT_EQ(zip.GetData(0), "first text\r\n");

  // The reverse: a member the directory does not list.
  const std::size_t secondEntry = NthSignature(bytes, kCentralSig, 1), end = NthSignature(bytes, kEndSig, 0);
  const std::string missing = bytes.substr(0, secondEntry) + bytes.substr(end);
  TZipFile other;
  EXPECT_NE(ErrorOf([&] { other.ReadFromBytes(missing); }), "");
  EXPECT_EQ(other.Count(), 0);
}

TEST(ZipFile, FirstLocalHeaderIsFoundAfterAStubOfAnyLength) {
  const std::string bytes = TwoMemberBytes();
  for (const std::string stub : {"X", "STUB!", "#!/bin/sh\nexit 0\n"}) {
    TZipFile zip;
    zip.ReadFromBytes(stub + bytes);
    ASSERT_EQ(zip.Count(), 2) << stub;
    EXPECT_EQ(zip.GetData(1).size(), 3023u);
  }
  TZipFile none;
  none.ReadFromBytes("no archive here");
  EXPECT_EQ(none.Count(), 0);
}

TEST(ZipFile, StoredMembersAreReadAndChecked) {
  // A stored member written by hand: method 0, data as is.
  const std::string name = "s.txt", data = "stored data";
  const std::uint32_t crc = TZipFile::Crc32(data);
  std::string local = std::string(kLocalSig) + std::string(26, '\0') + name + data;
  SetU16(local, 4, 10);
  SetU16(local, 8, 0);
  SetU32(local, 14, crc);
  SetU32(local, 18, static_cast<std::uint32_t>(data.size()));
  SetU32(local, 22, static_cast<std::uint32_t>(data.size()));
  SetU16(local, 26, static_cast<std::uint16_t>(name.size()));
  std::string central = std::string(kCentralSig) + std::string(42, '\0') + name;
  central.replace(6, 26, local.substr(4, 26));
  std::string end = std::string(kEndSig) + std::string(18, '\0');
  SetU16(end, 8, 1);
  SetU16(end, 10, 1);
  SetU32(end, 12, static_cast<std::uint32_t>(central.size()));
  SetU32(end, 16, static_cast<std::uint32_t>(local.size()));
  TZipFile zip;
  zip.ReadFromBytes(local + central + end);
  EXPECT_EQ(zip.GetData(0), data);
  std::string flipped = local;
  flipped[30 + name.size()] ^= 1;
  TZipFile bad;
  bad.ReadFromBytes(flipped + central + end);
  EXPECT_THROW(bad.GetData(0), EZipFileCRCError);
}

TEST(ZipFile, UnsupportedArchivesAreRefusedNamingTheMember) {
  const std::string bytes = TwoMemberBytes();
  const std::size_t second = NthSignature(bytes, kLocalSig, 1);
  struct Case {
    const char *what;
    std::function<void(std::string &)> patch;
    const char *expected;
  };
  const std::vector<Case> cases = {
      {"encrypted", [&](std::string &b) { SetU16(b, second + 6, 1); }, "Encrypted member \"f2\""},
      {"data descriptor", [&](std::string &b) { SetU16(b, second + 6, 8); }, "\"f2\" keeps its sizes"},
      {"method", [&](std::string &b) { SetU16(b, second + 8, 12); }, "\"f2\" uses compression method 12"},
      {"zip64 sizes", [&](std::string &b) { SetU32(b, second + 22, 0xFFFFFFFF); }, "\"f2\" needs ZIP64"},
      {"several disks", [&](std::string &b) { SetU16(b, NthSignature(b, kEndSig, 0) + 4, 1); },
       "several disks"},
      {"zip64 end",
       [&](std::string &b) {
         SetU16(b, NthSignature(b, kEndSig, 0) + 8, 0xFFFF);
         SetU16(b, NthSignature(b, kEndSig, 0) + 10, 0xFFFF);
       },
       "ZIP64"},
  };
  for (const Case &c : cases) {
    std::string patched = bytes;
    c.patch(patched);
    TZipFile zip;
    const std::string error = ErrorOf([&] { zip.ReadFromBytes(patched); });
    EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(zip.Count(), 0) << c.what;
  }
}

TEST(ZipFile, SizesInHeadersAreNotTrusted) {
  const std::string bytes = MakeArchive({{"m", std::string(1000, 'x')}}).ToBytes();
  const auto withSize = [&](std::uint32_t size) {
    std::string b = bytes;
    SetU32(b, 22, size);
    TZipFile zip;
    zip.ReadFromBytes(b);
    return zip;
  };
  // A claim beyond the member cap fails before any memory is taken for it.
  EXPECT_NE(ErrorOf([&] { withSize(3000000000u).GetData(0); }).find("claims 3000000000 bytes"),
            std::string::npos);
  // More or fewer bytes than the header says: the data does not match its header.
  EXPECT_THROW(withSize(999).GetData(0), EZipFileCRCError);
  EXPECT_THROW(withSize(2000).GetData(0), EZipFileCRCError);
  EXPECT_EQ(withSize(1000).GetData(0), std::string(1000, 'x'));
  // A compressed size past the end of the archive.
  std::string past = bytes;
  SetU32(past, 18, 100000);
  TZipFile zip;
  EXPECT_NE(ErrorOf([&] { zip.ReadFromBytes(past); }).find("Damaged archive"), std::string::npos);
}

TEST(ZipFile, WriterKeepsWithinTheFormat) {
  TZipFile zip;
  EXPECT_NE(ErrorOf([&] { zip.AddFile(std::string(65536, 'n'), 0); }), "");
  zip.AddFile(std::string(65535, 'n'), 0);
  // 65535 entries would read as a ZIP64 end record.
  for (int i = 1; i < 65534; ++i) zip.AddFile("m", 0);
  EXPECT_EQ(zip.Count(), 65534);
  EXPECT_NE(ErrorOf([&] { zip.AddFile("one too many", 0); }), "");
  EXPECT_EQ(zip.Count(), 65534);
  TZipFile back;
  back.ReadFromBytes(zip.ToBytes());
  EXPECT_EQ(back.Count(), 65534);
  EXPECT_EQ(back.Name(0).size(), 65535u);
}

TEST(ZipFile, NonAsciiUtf8NamesAreMarkedAsUtf8) {
  TZipFile zip = MakeArchive({{"plain.kxLng", "a"},
                              {"Fran\xC3\xA7"
                               "ais.kxLng",
                               "b"},
                              {"bad\xFF.kxLng", "c"}});
  TZipFile back;
  back.ReadFromBytes(zip.ToBytes());
  EXPECT_EQ(back.Member(0).Header.Flag & 0x800, 0);
  EXPECT_EQ(back.Member(1).Header.Flag & 0x800, 0x800);
  EXPECT_EQ(back.Directory(1).Header.Flag & 0x800, 0x800);
  EXPECT_EQ(back.Member(2).Header.Flag & 0x800, 0) << "bytes that are no UTF-8 are not marked as such";
}

TEST(ZipFile, SavingReplacesTheFileWholeOrLeavesItAlone) {
  const fs::path dir = fs::temp_directory_path() / ("vt_zip_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "a.zip").string();
  MakeArchive({{"one", "1"}}).SaveToFile(path);
  MakeArchive({{"two", "2"}}).SaveToFile(path);
  TZipFile zip;
  zip.LoadFromFile(path);
  EXPECT_EQ(zip.Name(0), "two");
  EXPECT_NE(ErrorOf([&] { MakeArchive({{"x", "x"}}).SaveToFile((dir / "missing" / "a.zip").string()); }), "");
  EXPECT_NE(ErrorOf([&] { TZipFile().LoadFromFile((dir / "none.zip").string()); }), "");
  // Nothing but the archive is left in the folder: no temporary files.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::remove_all(dir);
}

} // namespace
} // namespace vt
