#include "zip_file.h"

#include "byte_reader.h"
#include "file_io.h"
#include "text_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <ctime>
#include <istream>
#include <ostream>
#include <zlib.h>

namespace vt {

namespace {

constexpr std::uint32_t kZip64EndSignature = 0x06064B50;
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagDataDescriptor = 0x0008;
constexpr std::uint16_t kFlagUtf8Name = 0x0800;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
// Deflate expands at most about 1032:1, so a member's output is bounded by its input as well.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

// Slicing-by-8 tables of the reflected polynomial 0xEDB88320; table 0 is the classic byte table.
using TCrcTables = std::array<std::array<std::uint32_t, 256>, 8>;
constexpr TCrcTables MakeCrcTables() {
  TCrcTables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::size_t s = 1; s < 8; ++s)
    for (std::size_t i = 0; i < 256; ++i) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
  return t;
}
constexpr TCrcTables kCrc = MakeCrcTables();

std::string Quoted(std::string_view name) {
  return "\"" + std::string(name) + "\"";
}

[[noreturn]] void Damaged(const std::string &what) {
  throw EZipFileError("Damaged archive: " + what + ".");
}

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::uint16_t NameFlags(std::string_view name) {
  return !IsAscii(name) && IsValidUtf8(name) ? kFlagUtf8Name : 0;
}

void PutU16(std::string &out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void PutU32(std::string &out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutCommon(std::string &out, const TZipCommonHeader &h) {
  PutU16(out, h.VersionNeeded);
  PutU16(out, h.Flag);
  PutU16(out, h.Method);
  PutU16(out, h.Time);
  PutU16(out, h.Date);
  PutU32(out, h.Crc32);
  PutU32(out, h.CompressedSize);
  PutU32(out, h.UncompressedSize);
  PutU16(out, h.NameLength);
  PutU16(out, h.ExtraLength);
}

// Fixed-size blocks are checked whole before their fields are taken.
bool ReadCommon(TByteReader &in, TZipCommonHeader &h) {
  if (in.Remaining() < 26) return false;
  h.VersionNeeded = *in.U16();
  h.Flag = *in.U16();
  h.Method = *in.U16();
  h.Time = *in.U16();
  h.Date = *in.U16();
  h.Crc32 = *in.U32();
  h.CompressedSize = *in.U32();
  h.UncompressedSize = *in.U32();
  h.NameLength = *in.U16();
  h.ExtraLength = *in.U16();
  return true;
}

// What this reader cannot take, told with the member's name.
void CheckSupported(const TZipCommonHeader &h, const std::string &name) {
  if (h.Flag & kFlagEncrypted) throw EZipFileError("Encrypted member " + Quoted(name) + " is not supported.");
  if (h.Flag & kFlagDataDescriptor)
    throw EZipFileError("Member " + Quoted(name) +
                        " keeps its sizes in a data descriptor, which is not supported.");
  if (h.CompressedSize == 0xFFFFFFFF || h.UncompressedSize == 0xFFFFFFFF)
    throw EZipFileError("Member " + Quoted(name) + " needs ZIP64, which is not supported.");
  if (h.Method != kMethodDeflated && h.Method != kMethodStored)
    throw EZipFileError("Member " + Quoted(name) + " uses compression method " + std::to_string(h.Method) +
                        ", which is not supported.");
}

std::uint16_t DosTime(const TZipTime &t) {
  return static_cast<std::uint16_t>((t.Hour << 11) | (t.Minute << 5) | (t.Second / 2));
}

std::uint16_t DosDate(const TZipTime &t) {
  return static_cast<std::uint16_t>(((t.Year - 1980) << 9) | (t.Month << 5) | t.Day);
}

TZipTime FromTm(const std::tm &tm) {
  TZipTime t{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  // The format counts years 1980 to 2107 only.
  if (t.Year < 1980) t = TZipTime{};
  if (t.Year > 2107) t = TZipTime{2107, 12, 31, 23, 59, 58};
  return t;
}

std::string Deflate(std::string_view data) {
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw EZipFileError("Cannot start compression.");
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
  z.next_out = reinterpret_cast<Bytef *>(out.data());
  int rc = Z_OK;
  // zlib counts in 32 bits: feed and drain in pieces.
  constexpr std::size_t kStep = std::size_t{1} << 30;
  std::size_t inLeft = data.size(), outLeft = out.size();
  do {
    const std::size_t inNow = std::min(inLeft, kStep), outNow = std::min(outLeft, kStep);
    z.avail_in = static_cast<uInt>(inNow);
    z.avail_out = static_cast<uInt>(outNow);
    rc = deflate(&z, inLeft == inNow ? Z_FINISH : Z_NO_FLUSH);
    inLeft -= inNow - z.avail_in;
    outLeft -= outNow - z.avail_out;
  } while (rc == Z_OK || (rc == Z_BUF_ERROR && outLeft > 0));
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw EZipFileError("Compression failed.");
  out.resize(out.size() - outLeft);
  return out;
}

// Inflates raw deflate data into exactly `size` bytes; throws the member's CRC error when the data
// yields fewer or more, or is no valid deflate stream.
std::string Inflate(std::string_view data, std::uint64_t size, const std::string &name) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw EZipFileError("Cannot start decompression.");
  std::string out;
  // Grow with what inflating yields, never past the header's size nor past what the input can give.
  const std::uint64_t bound = std::min<std::uint64_t>(size, data.size() * kMaxDeflateRatio + 1024);
  out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(bound, std::uint64_t{1} << 20)));
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  std::size_t produced = 0;
  int rc = Z_OK;
  char probe = 0;
  bool overrun = false;
  for (;;) {
    if (produced == out.size() && out.size() < bound)
      out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(bound, std::uint64_t{out.size()} * 2)));
    // Once the buffer holds `size` bytes, one more byte of room tells an overrun from the end.
    char *room = produced < out.size() ? out.data() + produced : &probe;
    const std::size_t roomSize = produced < out.size() ? out.size() - produced : 1;
    z.next_out = reinterpret_cast<Bytef *>(room);
    z.avail_out = static_cast<uInt>(std::min<std::size_t>(roomSize, std::size_t{1} << 30));
    const uInt before = z.avail_out;
    rc = inflate(&z, Z_NO_FLUSH);
    const std::size_t got = before - z.avail_out;
    if (room == &probe) {
      if (got > 0) {
        overrun = true; // more data than the header says
        break;
      }
    } else {
      produced += got;
    }
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK) break; // damaged stream or input ended early
    if (got == 0 && z.avail_in == 0) break;
  }
  inflateEnd(&z);
  if (overrun || rc != Z_STREAM_END || produced != size) throw EZipFileCRCError(name);
  out.resize(produced);
  return out;
}

std::uint32_t CrcUpdate(std::uint32_t crc, const unsigned char *p, std::size_t n) noexcept {
  while (n >= 8) {
    std::uint32_t lo = 0, hi = 0;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + 4, 4);
    if constexpr (std::endian::native == std::endian::big) {
      lo = __builtin_bswap32(lo);
      hi = __builtin_bswap32(hi);
    }
    lo ^= crc;
    crc = kCrc[7][lo & 0xFF] ^ kCrc[6][(lo >> 8) & 0xFF] ^ kCrc[5][(lo >> 16) & 0xFF] ^ kCrc[4][lo >> 24] ^
          kCrc[3][hi & 0xFF] ^ kCrc[2][(hi >> 8) & 0xFF] ^ kCrc[1][(hi >> 16) & 0xFF] ^ kCrc[0][hi >> 24];
    p += 8;
    n -= 8;
  }
  while (n--) crc = kCrc[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
  return crc;
}

} // namespace

EZipFileCRCError::EZipFileCRCError(const std::string &memberName)
    : EZipFileError("CRC Error in " + Quoted(memberName) + ".") {}

TZipTime LocalZipTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return FromTm(tm);
}

TZipTime UtcZipTime(long long secondsSinceEpoch) {
  const auto t = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm tm{};
  if (!gmtime_r(&t, &tm)) return TZipTime{};
  return FromTm(tm);
}

TZipFile::TZipFile() : FClock(LocalZipTime) {}

TZipFile::TZipFile(TZipClock clock) : FClock(clock ? std::move(clock) : TZipClock(LocalZipTime)) {}

std::uint32_t TZipFile::Crc32(std::string_view bytes) noexcept {
  return ~CrcUpdate(0xFFFFFFFFu, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
}

void TZipFile::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw EZipFileError("Index out of range.");
}

void TZipFile::Stamp(TZipCommonHeader &header) const {
  const TZipTime now = FClock();
  header.Time = DosTime(now);
  header.Date = DosDate(now);
}

const std::string &TZipFile::Name(int index) const {
  CheckIndex(index);
  return FMembers[static_cast<std::size_t>(index)].Name;
}

const TLocalFile &TZipFile::Member(int index) const {
  CheckIndex(index);
  return FMembers[static_cast<std::size_t>(index)];
}

const TFileHeader &TZipFile::Directory(int index) const {
  CheckIndex(index);
  return FDirectory[static_cast<std::size_t>(index)];
}

void TZipFile::AddFile(std::string_view name, std::uint32_t externalAttributes) {
  if (name.size() > kMaxNameBytes)
    throw EZipFileError("A member name of " + std::to_string(name.size()) +
                        " bytes does not fit an archive.");
  if (FMembers.size() >= kMaxMembers)
    throw EZipFileError("An archive holds at most " + std::to_string(kMaxMembers) + " members.");
  TLocalFile member;
  member.Name = std::string(name);
  member.Header.Flag = NameFlags(name);
  member.Header.NameLength = static_cast<std::uint16_t>(name.size());
  Stamp(member.Header);
  TFileHeader entry;
  entry.Header = member.Header;
  entry.ExternalAttributes = externalAttributes;
  entry.Name = member.Name;
  FMembers.push_back(std::move(member));
  FDirectory.push_back(std::move(entry));
}

void TZipFile::SetData(int index, std::string_view data) {
  CheckIndex(index);
  TLocalFile &member = FMembers[static_cast<std::size_t>(index)];
  if (data.size() >= 0xFFFFFFFFu)
    throw EZipFileError("Member " + Quoted(member.Name) + " is too large for an archive.");
  std::string packed = Deflate(data);
  if (packed.size() >= 0xFFFFFFFFu)
    throw EZipFileError("Member " + Quoted(member.Name) + " is too large for an archive.");
  TZipCommonHeader &h = member.Header;
  h.VersionNeeded = 20;
  h.Flag = NameFlags(member.Name);
  h.Method = kMethodDeflated;
  Stamp(h);
  h.Crc32 = Crc32(data);
  h.CompressedSize = static_cast<std::uint32_t>(packed.size());
  h.UncompressedSize = static_cast<std::uint32_t>(data.size());
  h.NameLength = static_cast<std::uint16_t>(member.Name.size());
  h.ExtraLength = static_cast<std::uint16_t>(member.Extra.size());
  member.Data = std::move(packed);

  TFileHeader &entry = FDirectory[static_cast<std::size_t>(index)];
  entry.Signature = TFileHeader::kSignature;
  entry.VersionMadeBy = 20;
  entry.Header = h;
  entry.CommentLength = 0;
  entry.DiskNumberStart = 0;
  entry.InternalAttributes = 0;
  entry.LocalHeaderOffset = 0;
  entry.Name = member.Name;
  entry.Extra = member.Extra;
  entry.Comment.clear();
}

std::string TZipFile::GetData(int index) const {
  CheckIndex(index);
  const TLocalFile &member = FMembers[static_cast<std::size_t>(index)];
  const TZipCommonHeader &h = member.Header;
  if (h.UncompressedSize > kMaxMemberBytes)
    throw EZipFileError("Member " + Quoted(member.Name) + " claims " + std::to_string(h.UncompressedSize) +
                        " bytes, more than an archive member may hold here.");
  std::string data;
  if (h.Method == kMethodStored) {
    if (member.Data.size() != h.UncompressedSize) throw EZipFileCRCError(member.Name);
    data = member.Data;
  } else {
    data = Inflate(member.Data, h.UncompressedSize, member.Name);
  }
  if (Crc32(data) != h.Crc32) throw EZipFileCRCError(member.Name);
  return data;
}

std::string TZipFile::ToBytes() const {
  std::uint64_t total = 22 + FComment.size();
  for (std::size_t i = 0; i < FMembers.size(); ++i)
    total += 30 + 46 + 2 * FMembers[i].Name.size() + FMembers[i].Extra.size() + FMembers[i].Data.size() +
             FDirectory[i].Extra.size() + FDirectory[i].Comment.size();
  if (total >= 0xFFFFFFFFu) throw EZipFileError("The archive would exceed 4 GiB.");
  if (FComment.size() > 0xFFFF) throw EZipFileError("The archive comment is too long.");
  std::string out;
  out.reserve(static_cast<std::size_t>(total));
  std::vector<std::uint32_t> offsets(FMembers.size());
  for (std::size_t i = 0; i < FMembers.size(); ++i) {
    const TLocalFile &m = FMembers[i];
    offsets[i] = static_cast<std::uint32_t>(out.size());
    PutU32(out, m.Signature);
    PutCommon(out, m.Header);
    // The strings are written with the header's lengths, which SetData and the reader keep equal.
    out.append(m.Name, 0, m.Header.NameLength);
    out.append(m.Extra, 0, m.Header.ExtraLength);
    out.append(m.Data, 0, m.Header.CompressedSize);
  }
  const auto dirOffset = static_cast<std::uint32_t>(out.size());
  for (std::size_t i = 0; i < FDirectory.size(); ++i) {
    const TFileHeader &d = FDirectory[i];
    PutU32(out, d.Signature);
    PutU16(out, d.VersionMadeBy);
    PutCommon(out, d.Header);
    PutU16(out, static_cast<std::uint16_t>(d.Comment.size()));
    PutU16(out, d.DiskNumberStart);
    PutU16(out, d.InternalAttributes);
    PutU32(out, d.ExternalAttributes);
    PutU32(out, offsets[i]);
    out.append(d.Name).append(d.Extra).append(d.Comment);
  }
  const auto dirSize = static_cast<std::uint32_t>(out.size() - dirOffset);
  PutU32(out, EndOfCentralDir::kSignature);
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, static_cast<std::uint16_t>(Count()));
  PutU16(out, static_cast<std::uint16_t>(Count()));
  PutU32(out, dirSize);
  PutU32(out, dirOffset);
  PutU16(out, static_cast<std::uint16_t>(FComment.size()));
  out.append(FComment);
  return out;
}

void TZipFile::WriteToStream(std::ostream &stream) const {
  const std::string bytes = ToBytes();
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream) throw EZipFileError("Cannot write the archive.");
}

void TZipFile::SaveToFile(const std::string &path) const {
  std::string error;
  if (!WriteFileAtomic(path, ToBytes(), &error)) throw EZipFileError(error);
}

void TZipFile::LoadFromFile(const std::string &path) {
  std::string bytes, error;
  if (!ReadFileBytes(path, bytes, &error, static_cast<std::size_t>(kMaxArchiveBytes)))
    throw EZipFileError(error);
  ReadFromBytes(bytes);
}

void TZipFile::ReadFromStream(std::istream &stream) {
  std::string bytes;
  char buffer[65536];
  while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
    if (bytes.size() + static_cast<std::size_t>(stream.gcount()) > kMaxArchiveBytes)
      throw EZipFileError("The archive is larger than 2 GiB.");
    bytes.append(buffer, static_cast<std::size_t>(stream.gcount()));
  }
  ReadFromBytes(bytes);
}

void TZipFile::ReadFromBytes(std::string_view bytes) {
  // The first local header may follow a stub of any length.
  static constexpr std::string_view kLocal("PK\x03\x04", 4);
  const std::size_t start = bytes.find(kLocal);
  if (start == std::string_view::npos) return;
  TByteReader in(bytes);
  in.Seek(start);

  // Everything is read into locals first, so a damaged archive leaves this one as it was.
  std::vector<TLocalFile> members;
  std::vector<TFileHeader> directory;
  auto signature = in.U32();
  while (signature == TLocalFile::kSignature) {
    if (FMembers.size() + members.size() >= kMaxMembers)
      Damaged("more than " + std::to_string(kMaxMembers) + " members");
    TLocalFile m;
    const std::string which = "member " + std::to_string(members.size() + 1);
    if (!ReadCommon(in, m.Header)) Damaged("the local header of " + which + " is cut short");
    const auto name = in.Chars(m.Header.NameLength);
    if (!name) Damaged("the name of " + which + " is cut short");
    m.Name = std::string(*name);
    CheckSupported(m.Header, m.Name);
    const auto extra = in.Chars(m.Header.ExtraLength);
    if (!extra) Damaged("the header of " + Quoted(m.Name) + " is cut short");
    m.Extra = std::string(*extra);
    const auto data = in.Chars(m.Header.CompressedSize);
    if (!data) Damaged("the data of " + Quoted(m.Name) + " is cut short");
    m.Data = std::string(*data);
    members.push_back(std::move(m));
    signature = in.U32();
  }
  while (signature == TFileHeader::kSignature) {
    TFileHeader d;
    if (in.Remaining() < 42) Damaged("a central directory entry is cut short");
    d.VersionMadeBy = *in.U16();
    ReadCommon(in, d.Header);
    d.CommentLength = *in.U16();
    d.DiskNumberStart = *in.U16();
    d.InternalAttributes = *in.U16();
    d.ExternalAttributes = *in.U32();
    d.LocalHeaderOffset = *in.U32();
    const auto name = in.Chars(d.Header.NameLength);
    const auto extra = name ? in.Chars(d.Header.ExtraLength) : std::nullopt;
    const auto comment = extra ? in.Chars(d.CommentLength) : std::nullopt;
    if (!comment) Damaged("a central directory entry is cut short");
    d.Name = std::string(*name);
    d.Extra = std::string(*extra);
    d.Comment = std::string(*comment);
    if (d.DiskNumberStart != 0) throw EZipFileError("Archives on several disks are not supported.");
    // Entries beyond the members are read past and dropped.
    if (directory.size() < members.size()) directory.push_back(std::move(d));
    signature = in.U32();
  }
  if (signature == kZip64EndSignature) throw EZipFileError("ZIP64 archives are not supported.");
  if (!signature) Damaged("the archive ends before its end record");
  if (*signature != EndOfCentralDir::kSignature) Damaged("unexpected data after the members");
  if (directory.size() < members.size())
    Damaged("the central directory lists " + std::to_string(directory.size()) + " of " +
            std::to_string(members.size()) + " members");
  if (in.Remaining() < 18) Damaged("the end record is cut short");
  EndOfCentralDir end;
  end.DiskNumber = *in.U16();
  end.CentralDirDisk = *in.U16();
  end.EntriesOnDisk = *in.U16();
  end.TotalEntries = *in.U16();
  end.CentralDirSize = *in.U32();
  end.CentralDirOffset = *in.U32();
  end.CommentLength = *in.U16();
  if (end.DiskNumber != 0 || end.CentralDirDisk != 0 || end.EntriesOnDisk != end.TotalEntries)
    throw EZipFileError("Archives on several disks are not supported.");
  if (end.TotalEntries == 0xFFFF || end.CentralDirSize == 0xFFFFFFFF || end.CentralDirOffset == 0xFFFFFFFF)
    throw EZipFileError("ZIP64 archives are not supported.");
  const auto comment = in.Chars(end.CommentLength);
  if (!comment) Damaged("the archive comment is cut short");

  for (auto &m : members) FMembers.push_back(std::move(m));
  for (auto &d : directory) FDirectory.push_back(std::move(d));
  FEnd = end;
  FComment = std::string(*comment);
}

} // namespace vt
