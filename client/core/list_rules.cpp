#include "list_rules.h"

#include "model/trans_man.h"

#include <algorithm>
#include <unordered_map>

namespace vt {

TSectionStats PackSectionStats(int translated, int total) {
  const auto clamp16 = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 0xFFFF)); };
  return (clamp16(translated) << 16) | clamp16(total);
}
int StatsTranslated(TSectionStats stats) {
  return static_cast<int>(stats >> 16);
}
int StatsTotal(TSectionStats stats) {
  return static_cast<int>(stats & 0xFFFF);
}

std::string FormatSectionStats(TSectionStats stats) {
  return std::to_string(StatsTranslated(stats)) + " / " + std::to_string(StatsTotal(stats));
}

std::string FormatSectionStats(TSectionCounts counts) {
  return std::to_string(counts.Translated) + " / " + std::to_string(counts.Total);
}

std::vector<TSectionCounts> CountSectionProgress(const TWordList &project,
                                                 const std::vector<std::string> &lines) {
  std::unordered_map<std::string_view, TSectionCounts> bySection;
  bySection.reserve(lines.size());
  TSectionCounts all;
  for (const TWordList::TSectionTally &run : project.TallySections()) {
    TSectionCounts &c = bySection[run.Section];
    c.Total += run.Total;
    c.Translated += run.Translated;
    all.Total += run.Total;
    all.Translated += run.Translated;
  }
  std::vector<TSectionCounts> result;
  result.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 0) {
      result.push_back(all);
      continue;
    }
    const auto it = bySection.find(lines[i]);
    result.push_back(it == bySection.end() ? TSectionCounts{} : it->second);
  }
  return result;
}

TFilterMode EffectiveFilterMode(bool textFilterOn, TFilterMode mode, bool searchTextEmpty) {
  if (!textFilterOn) return TFilterMode::None;
  if (IsTextFilter(mode) && searchTextEmpty) return TFilterMode::None;
  return mode;
}

bool IsTextFilter(TFilterMode mode) {
  return mode == TFilterMode::StartsWith || mode == TFilterMode::Contains || mode == TFilterMode::FullMatch;
}

TTextMatch TextMatchOf(TFilterMode mode) {
  switch (mode) {
  case TFilterMode::StartsWith:
    return TTextMatch::StartsWith;
  case TFilterMode::FullMatch:
    return TTextMatch::FullMatch;
  default:
    return TTextMatch::Contains;
  }
}

int SectionImage(std::string_view name, bool allSectionsRow) {
  if (allSectionsRow) return image::AllSections;
  if (name.find(section::TidPrefix) != std::string_view::npos)
    return name == section::MainMenu ? image::MainMenuSection : image::FormSection;
  if (name == section::Actions) return image::ActionsSection;
  if (name == section::Properties) return image::PropertiesSection;
  return image::OtherSection;
}

int StatusImage(const TWordObj &entry, bool isCurrent) {
  if (isCurrent) return image::StatusCurrent;
  const TEntryFlags flags = entry.Flags();
  if (flags & efWarning) return image::StatusWarning;
  if (flags & efNeedsWork) return image::StatusNeedsWork;
  if (flags & efQuery) return image::StatusQuery;
  return image::StatusPlain;
}

int KindImage(std::string_view kind) {
  if (kind == kind::VC || kind == kind::TC) return image::KindCaption;
  if (kind == kind::VH || kind == kind::THF) return image::KindHintPair;
  if (kind == kind::TH) return image::KindShortHint;
  if (kind == kind::TF) return image::KindLongHint;
  if (kind == kind::VI || kind == kind::IT) return image::KindListItems;
  return image::None;
}

bool NavigationStops(const TWordObj &entry, int method) {
  switch (method) {
  case 0:
    return entry.State() != esTranslated;
  case 2:
    return (entry.Flags() & efQuery) != 0;
  case 3:
    return entry.State() == esAutoTranslated;
  case 4:
    return (entry.Flags() & efWarning) != 0;
  default:
    return true;
  }
}

int FindNavigationRow(const std::vector<TWordObj *> &rows, int focusedRow, int direction, int method) {
  const int count = static_cast<int>(rows.size());
  const int step = direction < 0 ? -1 : 1;
  int row = focusedRow < 0 || focusedRow >= count ? (step > 0 ? 0 : count - 1) : focusedRow + step;
  for (; row >= 0 && row < count; row += step)
    if (rows[static_cast<std::size_t>(row)] && NavigationStops(*rows[static_cast<std::size_t>(row)], method))
      return row;
  return -1;
}

int IncrementalSearchRow(const std::vector<TWordObj *> &rows, int start, std::u16string_view text) {
  const int count = static_cast<int>(rows.size());
  if (count == 0 || text.empty()) return -1;
  const std::string wanted = LowerAscii(Utf16ToCp1252(text));
  start = std::clamp(start, 0, count - 1);
  for (int i = 0; i < count; ++i) {
    const int row = (start + i) % count;
    const TWordObj *entry = rows[static_cast<std::size_t>(row)];
    if (!entry) continue;
    const std::string source = LowerAscii(Utf16ToCp1252(entry->SourceText()));
    if (source.starts_with(wanted)) return row;
  }
  return -1;
}

} // namespace vt
