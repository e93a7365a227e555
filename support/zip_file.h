#pragma once
// Small zip archives held whole in memory: a list of members, each with its name and its deflated
// data. Single disk, no data descriptors, no encryption, no ZIP64; members are written deflated and
// read deflated or stored. Every length read from an archive is checked against the bytes that are
// there, and a member is never inflated beyond the size its header gives or beyond kMaxMemberBytes.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Errors of the archive: bad index, damaged or unsupported archive, unreadable or unwritable file.
class EZipFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A member whose data does not match its CRC-32 (or its sizes): "CRC Error in "name".".
class EZipFileCRCError : public EZipFileError {
public:
  explicit EZipFileCRCError(const std::string &memberName);
};

// The 26 bytes shared by a local header and its central-directory entry, in file order.
struct TZipCommonHeader {
  std::uint16_t VersionNeeded = 20;
  std::uint16_t Flag = 0;
  std::uint16_t Method = 8;
  std::uint16_t Time = 0; // MS-DOS time
  std::uint16_t Date = 0; // MS-DOS date
  std::uint32_t Crc32 = 0;
  std::uint32_t CompressedSize = 0;
  std::uint32_t UncompressedSize = 0;
  std::uint16_t NameLength = 0;
  std::uint16_t ExtraLength = 0;
};

struct TLocalFile {
  static constexpr std::uint32_t kSignature = 0x04034B50;
  std::uint32_t Signature = kSignature;
  TZipCommonHeader Header;
  std::string Name;
  std::string Extra;
  std::string Data; // compressed (or stored) bytes
};

struct TFileHeader {
  static constexpr std::uint32_t kSignature = 0x02014B50;
  std::uint32_t Signature = kSignature;
  std::uint16_t VersionMadeBy = 20;
  TZipCommonHeader Header;
  std::uint16_t CommentLength = 0;
  std::uint16_t DiskNumberStart = 0;
  std::uint16_t InternalAttributes = 0;
  std::uint32_t ExternalAttributes = 0;
  std::uint32_t LocalHeaderOffset = 0;
  std::string Name;
  std::string Extra;
  std::string Comment;
};

struct EndOfCentralDir {
  static constexpr std::uint32_t kSignature = 0x06054B50;
  std::uint32_t Signature = kSignature;
  std::uint16_t DiskNumber = 0;
  std::uint16_t CentralDirDisk = 0;
  std::uint16_t EntriesOnDisk = 0;
  std::uint16_t TotalEntries = 0;
  std::uint32_t CentralDirSize = 0;
  std::uint32_t CentralDirOffset = 0;
  std::uint16_t CommentLength = 0;
};

// A calendar time as the archive stores it (MS-DOS date and time, two-second steps).
struct TZipTime {
  int Year = 1980, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};
using TZipClock = std::function<TZipTime()>;
// The local time now: the default clock.
TZipTime LocalZipTime();
// A moment given in seconds since 1970, as UTC calendar time (reproducible whatever the time zone).
TZipTime UtcZipTime(long long secondsSinceEpoch);

class TZipFile {
public:
  // Limits the writer keeps to stay within the format, and the reader keeps against hostile input.
  // A count of 65535 would mark the end record as a ZIP64 one.
  static constexpr std::size_t kMaxMembers = 65534;
  static constexpr std::size_t kMaxNameBytes = 65535;
  static constexpr std::uint64_t kMaxMemberBytes = std::uint64_t{1} << 30;
  static constexpr std::uint64_t kMaxArchiveBytes = std::uint64_t{1} << 31;

  TZipFile();
  explicit TZipFile(TZipClock clock);

  // Reads the archive file; throws EZipFileError when it cannot be read or is damaged.
  void LoadFromFile(const std::string &path);
  // Writes the archive atomically (temporary file, then rename); throws EZipFileError on failure,
  // leaving an earlier file of that name whole.
  void SaveToFile(const std::string &path) const;
  // Appends the members, directory, end record and comment read from the rest of the stream.
  void ReadFromStream(std::istream &stream);
  void WriteToStream(std::ostream &stream) const;
  // The same over bytes in memory.
  void ReadFromBytes(std::string_view bytes);
  std::string ToBytes() const;

  // Appends an empty member; throws when the name or the member count would not fit the format.
  void AddFile(std::string_view name, std::uint32_t externalAttributes);
  int Count() const noexcept { return static_cast<int>(FMembers.size()); }
  const std::string &Name(int index) const;
  // The uncompressed data after its CRC check.
  std::string GetData(int index) const;
  // Deflates data into the member and updates both of its headers.
  void SetData(int index, std::string_view data);

  const TLocalFile &Member(int index) const;
  const TFileHeader &Directory(int index) const;
  const EndOfCentralDir &EndRecord() const noexcept { return FEnd; }
  const std::string &Comment() const noexcept { return FComment; }

  static std::uint32_t Crc32(std::string_view bytes) noexcept;

private:
  void CheckIndex(int index) const;
  void Stamp(TZipCommonHeader &header) const;

  std::vector<TLocalFile> FMembers;
  std::vector<TFileHeader> FDirectory;
  EndOfCentralDir FEnd;
  std::string FComment;
  TZipClock FClock;
};

} // namespace vt
