#include "message_lists.h"

#include "support/file_io.h"

#include <cstdio>
#include <unordered_set>

namespace vt {

std::string ExeBaseName(const std::string &path) {
  const std::string name = ExtractFileName(path);
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::vector<std::string> NumberedMessages(const std::vector<std::string> &texts) {
  std::vector<std::string> out;
  out.reserve(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) out.push_back(std::to_string(i) + "\t" + texts[i]);
  return out;
}

std::vector<std::string> DistinctMessages(const std::vector<std::string> &texts) {
  std::unordered_set<std::string> seen;
  std::vector<std::string> out;
  for (const std::string &t : texts)
    if (seen.insert(t).second) out.push_back(t);
  return out;
}

std::vector<std::string> MessageIniLines(const std::string &exePath, const std::vector<std::string> &texts) {
  const std::string base = ExeBaseName(exePath);
  std::vector<std::string> out{"[Messages]"};
  int index = 0;
  for (const std::string &text : DistinctMessages(texts)) {
    char number[16];
    std::snprintf(number, sizeof number, "%.3d_", index++);
    out.push_back(base + number + ".msg=" + text);
  }
  return out;
}

} // namespace vt
