// Writes a synthetic language project for timing the command-line tools:
// make_project FOLDER BASE ENTRIES [SEED] [--auto] [--ts]
// --auto also writes the auto-translation file; --ts also writes the visible entries as a Qt
// translation file (BASE.ts) for comparing with that tool chain's converter. Prints the paths of
// the source and translation files and the bytes written.
#include "project_generator.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

int main(int argc, char **argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_project FOLDER BASE ENTRIES [SEED] [--auto] [--ts]\n");
    return 1;
  }
  const auto entries = static_cast<std::size_t>(std::strtoull(argv[3], nullptr, 10));
  std::uint32_t seed = 1;
  bool withAuto = false, linguist = false;
  for (int i = 4; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--auto")
      withAuto = true;
    else if (arg == "--ts")
      linguist = true;
    else
      seed = static_cast<std::uint32_t>(std::strtoul(argv[i], nullptr, 10));
  }
  const auto files = vt::bench::WriteProject(argv[1], argv[2], entries, seed, withAuto);
  if (linguist) vt::bench::WriteLinguistFile(argv[1], argv[2], entries, seed);
  std::printf("%s\n%s\n%zu bytes\n", files.SrcLng.c_str(), files.KxLng.c_str(), files.Bytes);
  return 0;
}
