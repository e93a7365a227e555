#include "suggestion_rules.h"

#include "model/text_helpers.h"
#include "model/trans_man.h"

namespace vt {

namespace {

bool IsCurrentRow(const TWordObj &s, const TWordObj *current) {
  return current && (&s == current || s.FullId() == current->FullId());
}

} // namespace

bool TSuggestionCountdown::Tick() noexcept {
  if (!FRunning) return false;
  --FCount;
  if (FCount > 0) return false;
  FCount = 0;
  FRunning = false;
  return true;
}

std::u16string SuggestionCellText(const TWordObj &s, int column, const TWordObj *current) {
  if (column == 0) {
    if (!s.Translation.empty()) return LineBreaksToBars(s.TranslationText());
    if (!s.AutoText.empty()) return LineBreaksToBars(s.DecodeValue(s.AutoText));
    return s.SourceText();
  }
  if (column == 1) {
    const std::u16string section = Utf8ToUtf16(s.Section());
    if (IsCurrentRow(s, current)) return u"Current (" + section + u")";
    return section;
  }
  return {};
}

std::optional<TCellStyle> SuggestionCellStyle(const TWordObj &s, int column, const TWordObj *current,
                                              bool rowFocused) {
  if (!current) return std::nullopt;
  if (column != 0) return TCellStyle{false, kRgbGrey};
  const bool own = IsCurrentRow(s, current);
  TCellStyle style{own, kRgbBlack};
  if (!s.Translation.empty()) {
    if (s.State() == esAutoTranslated)
      style.Color = kRgbAutoTranslated;
    else if (own)
      style.Color = rowFocused ? kRgbCurrentFocused : kRgbCurrentUnfocused;
  } else if (!s.AutoText.empty()) {
    style.Color = kRgbAutoTextOnly;
  } else {
    style.Color = kRgbNoText;
  }
  return style;
}

TSuggestionPick TakeSuggestion(const TWordObj &s) {
  std::u16string t = s.TranslationDisplay();
  if (t == kAutoTranslateMarker) return {TSuggestionAction::AutoTranslate, {}};
  if (t.empty()) t = s.DecodeValue(s.AutoText);
  if (t.empty()) return {};
  return {TSuggestionAction::SetText, std::move(t)};
}

int FillSimilarFromEditor(const TReleaseList<TWordObj> &similar, std::u16string_view editorText) {
  // An empty editor would mark untranslated entries as translated ("[~]" with no text).
  if (editorText.empty()) return 0;
  int filled = 0;
  for (TWordObj *entry : similar) {
    if (entry->State() == esTranslated) continue;
    entry->SetTranslationText(editorText);
    entry->SetAutoState(esAutoTranslated);
    ++filled;
  }
  return filled;
}

bool ApplyAutoTranslation(TWordObj *entry) {
  if (!entry || entry->State() != esAutoTranslated) return false;
  entry->SetAutoState(esTranslated);
  return true;
}

} // namespace vt
