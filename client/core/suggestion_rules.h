#pragma once
// The rules of the suggestion band: the debounce countdown, the cells of the suggestion list,
// taking a suggestion, the double-click fill and "Apply Auto Translation".
#include "model/word_list.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vt {

// The countdown behind Timer_Suggestions: started with 3 when an entry becomes current and
// lowered on each 20 ms tick; the lists are built only when it runs out, so moving quickly
// through the list builds them only for the entry where the user stops.
class TSuggestionCountdown {
public:
  static constexpr int kIntervalMs = 20;
  static constexpr int kStartCount = 3;

  void Start() noexcept {
    FCount = kStartCount;
    FRunning = true;
  }
  void Stop() noexcept { FRunning = false; }
  bool Running() const noexcept { return FRunning; }
  int Count() const noexcept { return FCount; }
  // One tick; true when it ran out now (the timer stops and the lists are to be built).
  bool Tick() noexcept;

private:
  int FCount = 0;
  bool FRunning = false;
};

struct TRgb {
  uint8_t R = 0, G = 0, B = 0;
  friend bool operator==(const TRgb &, const TRgb &) = default;
};

inline constexpr TRgb kRgbBlack{0, 0, 0};
inline constexpr TRgb kRgbGrey{128, 128, 128};
inline constexpr TRgb kRgbAutoTranslated{192, 192, 192};
inline constexpr TRgb kRgbCurrentFocused{0, 0, 128};
inline constexpr TRgb kRgbCurrentUnfocused{0, 128, 255};
inline constexpr TRgb kRgbAutoTextOnly{192, 192, 230};
inline constexpr TRgb kRgbNoText{255, 0, 0};
inline constexpr TRgb kRgbSelectedFocused{223, 238, 255};
inline constexpr TRgb kRgbSelectedUnfocused{234, 244, 255};

// Column captions and widths of the suggestion list.
inline constexpr std::u16string_view kSuggestionColumn0 = u"Similar Translations";
inline constexpr std::u16string_view kSuggestionColumn1 = u"Source";
inline constexpr int kSuggestionColumn0Width = 396;
inline constexpr int kSuggestionColumn1Width = 120;
inline constexpr int kSuggestionRowHeight = 19;

// The marker of a suggestion that stands for the command "Auto Translate".
inline constexpr std::u16string_view kAutoTranslateMarker = u"<Auto Translate>";

// Text of a cell of the suggestion list; current may be none.
std::u16string SuggestionCellText(const TWordObj &s, int column, const TWordObj *current);

struct TCellStyle {
  bool Bold = false;
  TRgb Color;
};
// Font weight and colour of a cell; none without a current entry (the list's own look then).
std::optional<TCellStyle> SuggestionCellStyle(const TWordObj &s, int column, const TWordObj *current,
                                              bool rowFocused);

enum class TSuggestionAction : uint8_t { None, AutoTranslate, SetText };
struct TSuggestionPick {
  TSuggestionAction Action = TSuggestionAction::None;
  std::u16string Text; // for SetText: what goes into the translation editor
};
// What focusing a suggestion does: its shown translation, or "Auto Translate" for the marker,
// or its decoded machine suggestion when it has no translation.
TSuggestionPick TakeSuggestion(const TWordObj &s);

// The double-click on the suggestion list: every similar entry that has no ordinary translation
// gets the editor's text as an automatic translation. Returns how many entries were filled.
// Neither Changed nor Modified is raised, as for suggestions the translator has not confirmed.
int FillSimilarFromEditor(const TReleaseList<TWordObj> &similar, std::u16string_view editorText);

// "Apply Auto Translation": an automatic translation becomes an ordinary one; true when it did.
bool ApplyAutoTranslation(TWordObj *entry);

} // namespace vt
