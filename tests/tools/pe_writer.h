#pragma once
// Writes minimal PE images (PE32 or PE32+) with one resource section, for tests that need exact
// control over the resource directory, and exposes the offsets that damage tests patch.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace vt::test {

struct TResSpec {
  std::uint32_t Type = 10;
  std::u16string Name; // named entry when non-empty, else Id
  std::uint16_t Id = 0;
  std::uint16_t Language = 0x409;
  std::string Data;
};

struct TPeImage {
  std::string Bytes;
  std::size_t OptionalHeader = 0; // file offset of the optional header
  std::size_t SectionTable = 0;
  std::size_t ResourceStart = 0;        // file offset of the resource directory
  std::size_t ResourceDirEntry = 0;     // file offset of the data directory entry of the resources
  std::vector<std::size_t> DataEntries; // file offsets of the data entries, in the order given
};

inline void PutLe(std::string &b, std::size_t at, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Resources of one type must be listed together; named entries before numbered ones.
inline TPeImage WritePe(const std::vector<TResSpec> &resources, bool pe64) {
  constexpr std::uint32_t kRva = 0x1000, kRaw = 0x200;
  TPeImage img;
  std::string &b = img.Bytes;
  b.assign(kRaw, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  PutLe(b, 0x3C, 0x40, 4);
  b.replace(0x40, 4, std::string("PE\0\0", 4));
  PutLe(b, 0x44, pe64 ? 0x8664 : 0x14C, 2);
  PutLe(b, 0x46, 1, 2);
  const std::uint16_t optSize = pe64 ? 240 : 224;
  PutLe(b, 0x54, optSize, 2);
  img.OptionalHeader = 0x58;
  PutLe(b, 0x58, pe64 ? 0x20B : 0x10B, 2);
  PutLe(b, 0x58 + 60, kRaw, 4);
  const std::size_t dirCount = 0x58 + (pe64 ? 108 : 92);
  PutLe(b, dirCount, 16, 4);
  img.ResourceDirEntry = dirCount + 4 + 2 * 8;
  img.SectionTable = 0x58 + optSize;

  // Group by type, in order of first appearance.
  std::vector<std::uint32_t> types;
  for (const auto &r : resources)
    if (std::find(types.begin(), types.end(), r.Type) == types.end()) types.push_back(r.Type);
  std::string rs;
  auto dir = [&](std::size_t named, std::size_t ids) {
    const std::size_t at = rs.size();
    rs.append(16 + 8 * (named + ids), '\0');
    PutLe(rs, at + 12, named, 2);
    PutLe(rs, at + 14, ids, 2);
    return at;
  };
  const std::size_t root = dir(0, types.size());
  std::vector<std::pair<std::size_t, std::u16string>> nameFixups;
  std::vector<std::size_t> dataEntryAt(resources.size());
  for (std::size_t t = 0; t < types.size(); ++t) {
    std::vector<std::size_t> members;
    std::size_t named = 0;
    for (std::size_t i = 0; i < resources.size(); ++i)
      if (resources[i].Type == types[t]) {
        members.push_back(i);
        named += resources[i].Name.empty() ? 0 : 1;
      }
    const std::size_t nameDir = dir(named, members.size() - named);
    PutLe(rs, root + 16 + 8 * t, types[t], 4);
    PutLe(rs, root + 16 + 8 * t + 4, 0x80000000u | nameDir, 4);
    for (std::size_t k = 0; k < members.size(); ++k) {
      const TResSpec &r = resources[members[k]];
      const std::size_t langDir = dir(0, 1);
      const std::size_t e = nameDir + 16 + 8 * k;
      if (r.Name.empty())
        PutLe(rs, e, r.Id, 4);
      else
        nameFixups.push_back({e, r.Name});
      PutLe(rs, e + 4, 0x80000000u | langDir, 4);
      PutLe(rs, langDir + 16, r.Language, 4);
      dataEntryAt[members[k]] = langDir + 16; // patched to point at the data entry below
    }
  }
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const std::size_t entry = rs.size();
    rs.append(16, '\0');
    PutLe(rs, dataEntryAt[i] + 4, entry, 4);
    dataEntryAt[i] = entry;
  }
  for (auto &[at, name] : nameFixups) {
    const std::size_t s = rs.size();
    rs.append(2 + 2 * name.size(), '\0');
    PutLe(rs, s, name.size(), 2);
    for (std::size_t c = 0; c < name.size(); ++c) PutLe(rs, s + 2 + 2 * c, name[c], 2);
    PutLe(rs, at, 0x80000000u | s, 4);
  }
  for (std::size_t i = 0; i < resources.size(); ++i) {
    while (rs.size() % 4) rs += '\0';
    PutLe(rs, dataEntryAt[i], kRva + rs.size(), 4);
    PutLe(rs, dataEntryAt[i] + 4, resources[i].Data.size(), 4);
    rs += resources[i].Data;
    img.DataEntries.push_back(kRaw + dataEntryAt[i]);
  }
  PutLe(b, img.ResourceDirEntry, kRva, 4);
  PutLe(b, img.ResourceDirEntry + 4, rs.size(), 4);
  const std::size_t sec = img.SectionTable;
  b.replace(sec, 5, ".rsrc");
  PutLe(b, sec + 8, rs.size(), 4);
  PutLe(b, sec + 12, kRva, 4);
  PutLe(b, sec + 16, rs.size(), 4);
  PutLe(b, sec + 20, kRaw, 4);
  img.ResourceStart = kRaw;
  b += rs;
  return img;
}

} // namespace vt::test
