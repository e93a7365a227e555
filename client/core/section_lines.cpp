#include "section_lines.h"

#include <algorithm>

namespace vt {

void TSectionLines::Fill(const std::vector<std::string> &sections) {
  FNames.clear();
  FNames.reserve(sections.size() + 1);
  FNames.emplace_back(section::All);
  FNames.insert(FNames.end(), sections.begin(), sections.end());
  FStats.assign(FNames.size(), 0);
  FChosen = -1;
}

void TSectionLines::Clear() {
  FNames.clear();
  FStats.clear();
  FChosen = -1;
}

std::string_view TSectionLines::Name(int line) const {
  if (line < 0 || line >= Count()) return {};
  return FNames[static_cast<std::size_t>(line)];
}

TSectionStats TSectionLines::Stats(int line) const {
  if (line < 0 || line >= Count()) return 0;
  return FStats[static_cast<std::size_t>(line)];
}

bool TSectionLines::SetStats(std::vector<TSectionStats> stats) {
  if (stats.size() != FNames.size()) return false;
  FStats = std::move(stats);
  return true;
}

void TSectionLines::Choose(int line) {
  FChosen = line >= 0 && line < Count() ? line : -1;
}

int TSectionLines::Find(std::string_view name) const {
  const auto it = std::find(FNames.begin(), FNames.end(), name);
  return it == FNames.end() ? -1 : static_cast<int>(it - FNames.begin());
}

} // namespace vt
