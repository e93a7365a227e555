#include "compare_lng.h"

#include "model/ini_file.h"
#include "support/ascii_case.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace vt {

namespace {

struct TNameHash {
  std::size_t operator()(std::string_view s) const noexcept {
    return static_cast<std::size_t>(IniNameHash(s));
  }
};
struct TNameEq {
  bool operator()(std::string_view x, std::string_view y) const noexcept { return SameIniName(x, y); }
};
// The first value of each key of one section. Built per section, so that the tables stay small and
// the comparison of two large files never probes a file-wide index at random.
using TSectionValues = std::unordered_map<std::string_view, std::string_view, TNameHash, TNameEq>;

// Calls visit(key, value) for the key lines of a section in file order.
template <typename F> void ForEachKeyLine(const TIniSection &section, F &&visit) {
  for (const TIniLine &line : section.Lines)
    if (!line.Key.empty()) visit(std::string_view(line.Key), std::string_view(line.Value));
}

} // namespace

std::vector<std::string> CompareLngFiles(const TIniFile &a, const TIniFile &b, const std::string &pathA,
                                         const std::string &pathB) {
  std::vector<std::string> out{pathA, pathB, std::string()};
  std::unordered_set<std::string> seenSections;
  TSectionValues valuesA;
  TSectionKeySet seenKeys;
  for (const std::string &section : a.SectionNames()) {
    if (!seenSections.insert(LowerAscii(section)).second) continue;
    const TIniSection *secB = b.FindSection(section);
    if (!secB) continue;
    const TIniSection *secA = a.FindSection(section);
    valuesA.clear();
    valuesA.reserve(secA->Lines.size());
    ForEachKeyLine(*secA, [&](std::string_view key, std::string_view value) { valuesA.emplace(key, value); });
    seenKeys.Reset(secB->Lines.size());
    bool headerWritten = false;
    ForEachKeyLine(*secB, [&](std::string_view key, std::string_view vb) {
      if (!seenKeys.Add(key)) return; // only the first line of a key is ever read
      const auto found = valuesA.find(key);
      const std::string_view va = found == valuesA.end() ? std::string_view() : found->second;
      if (va == vb) return;
      if (!headerWritten) {
        out.push_back("[" + section + "]");
        headerWritten = true;
      }
      std::string line;
      line.reserve(key.size() + va.size() + vb.size() + 2);
      line.append(key).append(1, '\t').append(va).append(1, '\t').append(vb);
      out.push_back(std::move(line));
    });
  }
  return out;
}

bool CompareLngFiles(const std::string &pathA, const std::string &pathB, std::vector<std::string> &lines,
                     std::string *failedPath) {
  TIniFile a, b;
  for (auto [file, path] : {std::pair{&a, &pathA}, std::pair{&b, &pathB}}) {
    if (!file->LoadFromFile(*path)) {
      if (failedPath) *failedPath = *path;
      return false;
    }
  }
  lines = CompareLngFiles(a, b, pathA, pathB);
  return true;
}

} // namespace vt
