// Writes a synthetic language project for timing the command-line tools:
// make_project FOLDER BASE ENTRIES [SEED]
#include "project_generator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_project FOLDER BASE ENTRIES [SEED]\n");
    return 1;
  }
  const auto entries = static_cast<std::size_t>(std::strtoull(argv[3], nullptr, 10));
  const auto seed = argc > 4 ? static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10)) : 1u;
  const auto files = vt::bench::WriteProject(argv[1], argv[2], entries, seed, false);
  std::printf("%s\n%s\n%zu bytes\n", files.SrcLng.c_str(), files.KxLng.c_str(), files.Bytes);
  return 0;
}
