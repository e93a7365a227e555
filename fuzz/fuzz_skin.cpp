// The skin loader: the input becomes, by its first byte, the skin ini, a text definition, a raw
// ".lz" file, or the content of a compressed definition.
#include "tools/error.h"
#include "tools/grab_session.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <zlib.h>

namespace {

char gFolder[64];

void RemoveFolder() {
  std::filesystem::remove_all(gFolder);
}

std::string Folder() {
  if (!gFolder[0]) {
    // Shared memory when there is some: thousands of small rewrites are slow on a real disk.
    std::snprintf(gFolder, sizeof gFolder, "%s/vt_fuzz_skin_XXXXXX",
                  access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    if (!mkdtemp(gFolder)) std::abort();
    std::atexit(RemoveFolder);
  }
  return gFolder;
}

void Write(const std::string &name, const std::string &bytes) {
  std::ofstream(Folder() + "/" + name, std::ios::binary | std::ios::trunc) << bytes;
}

const char kSkin[] = "[GUI_Properties]\r\nCount=1\r\nG01=def.dfm\r\n[GUI_Tools]\r\nCount=1\r\nG01=tool\r\n";
const char kText[] = "object S: TToolComponentStore\r\n  ContentName = 'A b'\r\nend\r\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char *>(data) + 1, size - 1);
  std::string skin = kSkin, text = kText, lz;
  switch (data[0] % 4) {
  case 0:
    skin = input;
    break;
  case 1:
    text = input;
    break;
  case 2:
    lz = input;
    break;
  default: {
    uLongf n = compressBound(static_cast<uLong>(input.size()));
    lz.resize(n);
    compress2(reinterpret_cast<Bytef *>(lz.data()), &n, reinterpret_cast<const Bytef *>(input.data()),
              static_cast<uLong>(input.size()), Z_DEFAULT_COMPRESSION);
    lz.resize(n);
  }
  }
  Write("skin.ini", skin);
  Write("def.dfm", text);
  Write("tool.bui.lz", lz);
  vt::TGrabSession session;
  try {
    session.LoadGuiDefinitions(Folder() + "/skin.ini");
  } catch (const vt::EGrabError &) {
  }
  return 0;
}
