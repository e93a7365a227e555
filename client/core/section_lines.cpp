#include "section_lines.h"

#include <algorithm>

namespace vt {

void TSectionLines::Fill(const std::vector<std::string> &sections) {
  FNames.clear();
  FNames.reserve(sections.size() + 1);
  FNames.emplace_back(section::All);
  FNames.insert(FNames.end(), sections.begin(), sections.end());
  FCounts.assign(FNames.size(), TSectionCounts{});
  FChosen = -1;
}

void TSectionLines::Clear() {
  FNames.clear();
  FCounts.clear();
  FChosen = -1;
}

std::string_view TSectionLines::Name(int line) const {
  if (line < 0 || line >= Count()) return {};
  return FNames[static_cast<std::size_t>(line)];
}

TSectionCounts TSectionLines::Counts(int line) const {
  if (line < 0 || line >= Count()) return {};
  return FCounts[static_cast<std::size_t>(line)];
}

TSectionStats TSectionLines::Stats(int line) const {
  const TSectionCounts c = Counts(line);
  const auto clamp = [](std::uint64_t v) { return static_cast<int>(std::min<std::uint64_t>(v, 0xFFFF)); };
  return PackSectionStats(clamp(c.Translated), clamp(c.Total));
}

bool TSectionLines::SetStats(std::vector<TSectionCounts> counts) {
  if (counts.size() != FNames.size()) return false;
  FCounts = std::move(counts);
  return true;
}

bool TSectionLines::SetStats(const std::vector<TSectionStats> &stats) {
  if (stats.size() != FNames.size()) return false;
  FCounts.clear();
  for (const TSectionStats s : stats)
    FCounts.push_back(TSectionCounts{static_cast<std::uint64_t>(StatsTranslated(s)),
                                     static_cast<std::uint64_t>(StatsTotal(s))});
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
