#include "black_list.h"

#include "model/ini_file.h"
#include "model/text_helpers.h"
#include "support/ascii_case.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace vt {

std::vector<std::string> BlackListNames(std::string_view text) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t eol = text.find_first_of("\r\n", start);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view line = TrimControl(text.substr(start, eol - start));
    if (!line.empty()) names.emplace_back(line);
    start = eol + 1;
  }
  return names;
}

std::vector<std::string> DistinctSortedNames(std::string_view text) {
  std::unordered_set<std::string> seen;
  std::vector<std::pair<std::string, std::string>> keyed;
  for (std::string &name : BlackListNames(text)) {
    std::string lower = LowerAscii(name);
    if (seen.insert(lower).second) keyed.emplace_back(std::move(lower), std::move(name));
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<std::string> out;
  out.reserve(keyed.size());
  for (auto &k : keyed) out.push_back(std::move(k.second));
  return out;
}

std::string MergeIniValues(std::string_view targetText, std::string_view sourceText) {
  TIniFile target, source;
  target.LoadFromBytes(targetText);
  source.LoadFromBytes(sourceText);
  for (const std::string &section : source.SectionNames())
    for (const std::string &key : source.SectionKeys(section)) {
      const std::string value = source.ReadString(section, key);
      if (!value.empty()) target.WriteString(section, key, value);
    }
  return target.ToBytes();
}

} // namespace vt
