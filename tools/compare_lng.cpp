#include "compare_lng.h"

#include "model/ini_file.h"
#include "model/trans_man.h"

#include <unordered_set>
#include <utility>

namespace vt {

std::vector<std::string> CompareLngFiles(const TIniFile &a, const TIniFile &b, const std::string &pathA,
                                         const std::string &pathB) {
  std::vector<std::string> out{pathA, pathB, std::string()};
  std::unordered_set<std::string> seenSections;
  for (const std::string &section : a.SectionNames()) {
    if (!seenSections.insert(LowerAscii(section)).second) continue;
    if (!b.SectionExists(section)) continue;
    bool headerWritten = false;
    const std::vector<std::string> keys = b.SectionKeys(section);
    TSectionKeySet seenKeys;
    seenKeys.Reset(keys.size());
    for (const std::string &key : keys) {
      if (!seenKeys.Add(key)) continue; // only the first line of a key is ever read
      const std::string va = a.ReadString(section, key);
      const std::string vb = b.ReadString(section, key);
      if (va == vb) continue;
      if (!headerWritten) {
        out.push_back("[" + section + "]");
        headerWritten = true;
      }
      out.push_back(key + "\t" + va + "\t" + vb);
    }
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
