// The ini reader on arbitrary bytes: no crash, the written normal form reads back to itself,
// and writes and deletes through the hashed look-ups agree with what is read afterwards.
#include "model/ini_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  vt::TIniFile ini;
  ini.LoadFromBytes(bytes);
  const std::string once = ini.ToBytes();
  vt::TIniFile again;
  again.LoadFromBytes(once);
  if (again.ToBytes() != once) std::abort();

  // Rewrite every other key, delete the rest, and check each answer.
  std::size_t n = 0;
  for (const auto &sec : again.Sections()) {
    for (const auto &key : again.SectionKeys(sec.Name)) {
      if (n++ % 2) {
        ini.DeleteKey(sec.Name, key);
      } else {
        ini.WriteString(sec.Name, key, "v" + std::to_string(n));
        const auto *v = ini.FindValue(sec.Name, key);
        if (!v || *v != "v" + std::to_string(n)) std::abort();
      }
    }
  }
  const std::string edited = ini.ToBytes();
  vt::TIniFile back;
  back.LoadFromBytes(edited);
  if (back.ToBytes() != edited) std::abort();
  (void)ini.Sections();
  return 0;
}
