// The floors an open and a save are measured against: what a plain program needs to read the
// project's files, split them into lines and keep every key and value (as its own strings), and to
// write the translation file's bytes from memory. Run as its own process so that wall time, CPU
// time, peak memory and page faults compare one to one with `lngtool stats`.
//
//   floor_project read FILE...      read, split and keep; prints the number of keyed lines
//   floor_project write FILE REPS   reads FILE once, then writes it atomically REPS times beside
//                                 itself; prints the median milliseconds of one write
#include "support/file_io.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

struct TKeptFile {
  std::vector<std::string> Sections;
  std::vector<std::pair<std::string, std::string>> Values;
};

void ReadSplitKeep(const std::string &path, TKeptFile &kept) {
  std::string bytes;
  if (!vt::ReadFileBytes(path, bytes)) return;
  const std::string_view all(bytes);
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = Trim(all.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      kept.Sections.emplace_back(Trim(line.substr(1, line.size() - 2)));
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    kept.Values.emplace_back(std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1))));
  }
}

int Read(int argc, char **argv) {
  std::vector<TKeptFile> files(static_cast<std::size_t>(argc));
  std::size_t values = 0;
  for (int i = 0; i < argc; ++i) {
    ReadSplitKeep(argv[i], files[static_cast<std::size_t>(i)]);
    values += files[static_cast<std::size_t>(i)].Values.size();
  }
  std::printf("%zu\n", values);
  return values ? 0 : 1;
}

int Write(const std::string &path, int reps) {
  std::string bytes;
  if (!vt::ReadFileBytes(path, bytes)) return 1;
  const std::string target = path + ".floor";
  std::vector<double> ms;
  for (int i = 0; i < reps; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    if (!vt::WriteFileAtomic(target, bytes)) return 1;
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::remove(target.c_str());
  std::sort(ms.begin(), ms.end());
  std::printf("%.3f\n", ms[ms.size() / 2]);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "read" && argc > 2) return Read(argc - 2, argv + 2);
  if (mode == "write" && argc == 4) return Write(argv[2], std::max(1, std::atoi(argv[3])));
  std::fprintf(stderr, "usage: floor_project read FILE... | floor_project write FILE REPS\n");
  return 2;
}
