#include "pe_resources.h"

#include "support/byte_reader.h"
#include "support/text_codec.h"

#include <algorithm>
#include <optional>

namespace vt {
namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
// The entry tables of one directory level cannot hold more than two 16-bit counts; this also caps
// what a hostile directory can make us walk.
constexpr std::size_t kMaxEntries = 2 * 65535;

struct TSection {
  std::uint32_t VirtualAddress = 0, VirtualSize = 0, RawOffset = 0, RawSize = 0;
};

struct TImage {
  TByteReader File;
  std::uint32_t SizeOfHeaders = 0;
  std::vector<TSection> Sections;

  // File offset of [rva, rva + size), or none when the range is not backed by file bytes.
  std::optional<std::uint64_t> RvaToOffset(std::uint64_t rva, std::uint64_t size) const {
    for (const TSection &s : Sections) {
      const std::uint64_t span = std::max(s.VirtualSize, s.RawSize);
      if (rva < s.VirtualAddress || rva - s.VirtualAddress >= span) continue;
      const std::uint64_t delta = rva - s.VirtualAddress;
      if (delta + size > s.RawSize) return std::nullopt;
      const std::uint64_t off = std::uint64_t{s.RawOffset} + delta;
      if (!File.Range(off, size)) return std::nullopt;
      return off;
    }
    if (rva + size <= SizeOfHeaders && File.Range(rva, size)) return rva;
    return std::nullopt;
  }
};

struct TDirEntry {
  std::uint32_t Name = 0, Offset = 0;
};

bool Fail(std::string *error, const char *why) {
  if (error) *error = why;
  return false;
}

// Reads the entry table of the directory at dirOffset (relative to the resource base).
bool ReadDirectory(const TImage &img, std::uint32_t resRva, std::uint64_t resSize, std::uint32_t dirOffset,
                   std::vector<TDirEntry> &entries) {
  entries.clear();
  if (std::uint64_t{dirOffset} + 16 > resSize) return false;
  auto off = img.RvaToOffset(std::uint64_t{resRva} + dirOffset, 16);
  if (!off) return false;
  TByteReader r = img.File;
  if (!r.Seek(*off + 12)) return false;
  auto named = r.U16(), ids = r.U16();
  if (!named || !ids) return false;
  const std::uint64_t count = std::uint64_t{*named} + *ids;
  if (count > kMaxEntries || std::uint64_t{dirOffset} + 16 + count * 8 > resSize) return false;
  if (count == 0) return true;
  auto table = img.RvaToOffset(std::uint64_t{resRva} + dirOffset + 16, count * 8);
  if (!table || !r.Seek(*table)) return false;
  entries.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i) {
    auto name = r.U32(), to = r.U32();
    if (!name || !to) return false;
    entries.push_back({*name, *to});
  }
  return true;
}

std::optional<std::string> EntryName(const TImage &img, std::uint32_t resRva, std::uint64_t resSize,
                                     std::uint32_t name) {
  if (!(name & kHighBit)) return "#" + std::to_string(name);
  const std::uint32_t at = name & ~kHighBit;
  if (std::uint64_t{at} + 2 > resSize) return std::nullopt;
  auto lenOff = img.RvaToOffset(std::uint64_t{resRva} + at, 2);
  if (!lenOff) return std::nullopt;
  TByteReader r = img.File;
  r.Seek(*lenOff);
  const std::uint16_t len = *r.U16();
  if (std::uint64_t{at} + 2 + 2ull * len > resSize) return std::nullopt;
  auto chars = img.RvaToOffset(std::uint64_t{resRva} + at + 2, 2ull * len);
  if (!chars) return std::nullopt;
  r.Seek(*chars);
  std::u16string wide(len, u'\0');
  for (char16_t &c : wide) c = *r.U16();
  return Utf16ToUtf8(wide);
}

bool ReadHeaders(TImage &img, std::uint32_t &resRva, std::uint32_t &resSize, std::string *error) {
  TByteReader r = img.File;
  auto mz = r.Chars(2);
  if (!mz || *mz != "MZ") return Fail(error, "no MZ header");
  if (!r.Seek(0x3C)) return Fail(error, "truncated MZ header");
  auto lfanew = r.U32();
  if (!lfanew || !r.Seek(*lfanew)) return Fail(error, "PE header outside the file");
  auto sig = r.Chars(4);
  if (!sig || *sig != std::string_view("PE\0\0", 4)) return Fail(error, "no PE signature");
  r.Skip(2); // machine
  auto sectionCount = r.U16();
  r.Skip(12);
  auto optSize = r.U16();
  r.Skip(2); // characteristics
  if (!sectionCount || !optSize || r.AtEnd()) return Fail(error, "truncated file header");
  const std::size_t optStart = r.Pos();
  auto magic = r.U16();
  if (!magic || (*magic != 0x10B && *magic != 0x20B)) return Fail(error, "unknown optional header");
  const bool pe64 = *magic == 0x20B;
  // SizeOfHeaders sits at 60 in both forms; the data directory count at 92 (PE32) or 108 (PE32+).
  const std::size_t dirCountAt = pe64 ? 108 : 92;
  if (*optSize < dirCountAt + 4) return Fail(error, "optional header too small");
  TByteReader o = img.File;
  if (!o.Seek(optStart + 60)) return Fail(error, "truncated optional header");
  auto headers = o.U32();
  if (!headers || !o.Seek(optStart + dirCountAt)) return Fail(error, "truncated optional header");
  img.SizeOfHeaders = *headers;
  auto dirCount = o.U32();
  if (!dirCount) return Fail(error, "truncated optional header");
  resRva = resSize = 0;
  if (*dirCount > 2 && std::uint64_t{dirCountAt} + 4 + 3 * 8 <= *optSize) {
    o.Skip(2 * 8);
    auto rva = o.U32(), size = o.U32();
    if (!rva || !size) return Fail(error, "truncated data directory");
    resRva = *rva;
    resSize = *size;
  }
  TByteReader s = img.File;
  if (!s.Seek(std::uint64_t{optStart} + *optSize)) return Fail(error, "section table outside the file");
  if (std::uint64_t{*sectionCount} * 40 > s.Remaining()) return Fail(error, "truncated section table");
  for (std::uint16_t i = 0; i < *sectionCount; ++i) {
    TSection sec;
    s.Skip(8);
    sec.VirtualSize = *s.U32();
    sec.VirtualAddress = *s.U32();
    sec.RawSize = *s.U32();
    sec.RawOffset = *s.U32();
    s.Skip(16);
    img.Sections.push_back(sec);
  }
  return true;
}

} // namespace

bool ReadRcDataResources(std::string_view image, std::vector<TPeResource> &out, std::string *error) {
  out.clear();
  TImage img{TByteReader(image), 0, {}};
  std::uint32_t resRva = 0, resSize = 0;
  if (!ReadHeaders(img, resRva, resSize, error)) return false;
  if (resRva == 0 || resSize == 0) return true;

  std::vector<TDirEntry> types, names, langs;
  if (!ReadDirectory(img, resRva, resSize, 0, types)) return Fail(error, "damaged resource directory");
  for (const TDirEntry &type : types) {
    if ((type.Name & kHighBit) || type.Name != kRtRcData) continue;
    if (!(type.Offset & kHighBit)) return Fail(error, "damaged resource type entry");
    if (!ReadDirectory(img, resRva, resSize, type.Offset & ~kHighBit, names))
      return Fail(error, "damaged resource name directory");
    for (const TDirEntry &name : names) {
      auto text = EntryName(img, resRva, resSize, name.Name);
      if (!text) return Fail(error, "damaged resource name");
      std::uint32_t dataAt = name.Offset;
      std::uint16_t language = 0;
      if (name.Offset & kHighBit) {
        if (!ReadDirectory(img, resRva, resSize, name.Offset & ~kHighBit, langs))
          return Fail(error, "damaged resource language directory");
        if (langs.empty()) continue;
        if (langs.front().Offset & kHighBit) return Fail(error, "resource directory nested too deep");
        dataAt = langs.front().Offset;
        language = static_cast<std::uint16_t>(langs.front().Name);
      }
      if (std::uint64_t{dataAt} + 16 > resSize) return Fail(error, "damaged resource data entry");
      auto entryOff = img.RvaToOffset(std::uint64_t{resRva} + dataAt, 16);
      if (!entryOff) return Fail(error, "damaged resource data entry");
      TByteReader r = img.File;
      r.Seek(*entryOff);
      const std::uint32_t dataRva = *r.U32(), dataSize = *r.U32();
      auto dataOff = img.RvaToOffset(dataRva, dataSize);
      if (!dataOff) return Fail(error, "resource data outside the file");
      out.push_back({std::move(*text), language, image.substr(static_cast<std::size_t>(*dataOff), dataSize)});
    }
    break; // one RT_RCDATA type entry is all a valid directory holds
  }
  return true;
}

} // namespace vt
