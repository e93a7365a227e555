#pragma once
// The rules behind the main window's lists that need no widget: section progress, image roles, navigation and
// incremental search over a project list.
#include "model/word_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// A section's visible entries and how many of them are translated, in full: a large project has
// sections (and "[ALL]") of far more than 65535 entries.
struct TSectionCounts {
  std::uint64_t Translated = 0;
  std::uint64_t Total = 0;
};
// "12 / 40"
std::string FormatSectionStats(TSectionCounts counts);

// The same counts packed into 32 bits: translated in the high 16 bits, entries in the low 16 bits,
// each capped at 65535. Too small for the list; kept for code that stores a count pair in one int.
using TSectionStats = uint32_t;
TSectionStats PackSectionStats(int translated, int total);
int StatsTranslated(TSectionStats stats);
int StatsTotal(TSectionStats stats);
std::string FormatSectionStats(TSectionStats stats);

// One value per line: line 0 is "[ALL]", the others are section names. Visible entries only;
// "translated" means state esTranslated.
std::vector<TSectionCounts> CountSectionProgress(const TWordList &project,
                                                 const std::vector<std::string> &lines);

// The filter that really applies: none when the text filter is off, or when a text filter has
// nothing to search for.
TFilterMode EffectiveFilterMode(bool textFilterOn, TFilterMode mode, bool searchTextEmpty);
// Whether the mode filters by text, and the match it uses then.
bool IsTextFilter(TFilterMode mode);
TTextMatch TextMatchOf(TFilterMode mode);

// Positions in the shared image list.
namespace image {
inline constexpr int AllSections = 11, FormSection = 27, MainMenuSection = 3, OtherSection = 31,
                     ActionsSection = 29, PropertiesSection = 30, StatusPlain = 26, StatusCurrent = 25,
                     StatusQuery = 15, StatusWarning = 16, StatusNeedsWork = 17, KindCaption = 19,
                     KindHintPair = 22, KindShortHint = 20, KindLongHint = 21, KindListItems = 8, None = -1;
}
int SectionImage(std::string_view name, bool allSectionsRow);
int StatusImage(const TWordObj &entry, bool isCurrent);
int KindImage(std::string_view kind);

// Whether Next/Previous stops at the entry (navigation method 0..4).
bool NavigationStops(const TWordObj &entry, int method);
// The row Next (+1) or Previous (-1) moves to from focusedRow (-1: none), or -1 when no row after it
// meets the method. The walk does not wrap around.
int FindNavigationRow(const std::vector<TWordObj *> &rows, int focusedRow, int direction, int method);

// The first row from start on (wrapping) whose lower-cased source, in the 8-bit code page, begins
// with the lower-cased text; -1 when none.
int IncrementalSearchRow(const std::vector<TWordObj *> &rows, int start, std::u16string_view text);

} // namespace vt
