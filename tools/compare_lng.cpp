#include "compare_lng.h"

#include "model/ini_file.h"
#include "support/ascii_case.h"
#include "support/hash_table.h"

#include <unordered_set>
#include <utility>

namespace vt {

namespace {

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
  // The first line of each key of A's section, built per section so that the tables stay small and
  // comparing two large files never probes a file-wide index at random.
  THashTable<TPositionSlot> linesA;
  TSectionKeySet seenKeys;
  for (const std::string &section : a.SectionNames()) {
    if (!seenSections.insert(LowerAscii(section)).second) continue;
    const TIniSection *secB = b.FindSection(section);
    if (!secB) continue;
    const TIniSection *secA = a.FindSection(section);
    const auto &lines = secA->Lines;
    linesA.Reset(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].Key.empty()) continue;
      const TPositionSlot slot{IniNameHash(lines[i].Key), static_cast<std::uint32_t>(i)};
      linesA.FindOrInsert(slot,
                          [&](const TPositionSlot &s) { return SameIniName(lines[s.At].Key, lines[i].Key); });
    }
    seenKeys.Reset(secB->Lines.size());
    bool headerWritten = false;
    ForEachKeyLine(*secB, [&](std::string_view key, std::string_view vb) {
      if (!seenKeys.Add(key)) return; // only the first line of a key is ever read
      const TPositionSlot *found = linesA.Find(
          IniNameHash(key), [&](const TPositionSlot &s) { return SameIniName(lines[s.At].Key, key); });
      const std::string_view va = found ? std::string_view(lines[found->At].Value) : std::string_view();
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
