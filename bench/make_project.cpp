// Writes a generated project for the process-level benchmarks: make_project FOLDER ENTRIES [SEED]
// [--ts]. Prints the path of the translation file; with --ts also writes the same entries as a
// Qt translation file (Bench.ts) for the converter comparison.
#include "project_generator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_project FOLDER ENTRIES [SEED]\n");
    return 2;
  }
  const auto entries = static_cast<std::size_t>(std::strtoull(argv[2], nullptr, 10));
  const auto seed = argc > 3 ? static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 7u;
  const auto files = vt::bench::WriteProject(argv[1], "Bench", entries, seed, true);
  if (argc > 4 && std::string(argv[4]) == "--ts")
    vt::bench::WriteLinguistFile(argv[1], "Bench", entries, seed);
  std::printf("%s\n", files.KxLng.c_str());
  return 0;
}
