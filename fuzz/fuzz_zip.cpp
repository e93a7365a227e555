// The archive reader on arbitrary bytes: no crash and no unbounded allocation; every member that
// reads back must match its CRC, and an archive written from what was read reads back the same.
#include "support/zip_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  vt::TZipFile zip([] { return vt::TZipTime{}; });
  try {
    zip.ReadFromBytes(bytes);
  } catch (const vt::EZipFileError &) {
    if (zip.Count() != 0) std::abort(); // a damaged archive leaves the object as it was
    return 0;
  }
  vt::TZipFile copy([] { return vt::TZipTime{}; });
  for (int i = 0; i < zip.Count(); ++i) {
    std::string member;
    try {
      member = zip.GetData(i);
    } catch (const vt::EZipFileError &) {
      continue;
    }
    if (vt::TZipFile::Crc32(member) != zip.Member(i).Header.Crc32) std::abort();
    copy.AddFile(zip.Name(i), 0);
    copy.SetData(copy.Count() - 1, member);
  }
  vt::TZipFile again;
  again.ReadFromBytes(copy.ToBytes());
  if (again.Count() != copy.Count()) std::abort();
  for (int i = 0; i < again.Count(); ++i)
    if (again.Name(i) != copy.Name(i) || again.GetData(i) != copy.GetData(i)) std::abort();
  return 0;
}
