// The suggestion band's rules on small hand-made projects: the debounce, the cells and colours of
// the suggestion list, taking a suggestion, the double-click fill and "Apply Auto Translation".
#include "client/core/suggestion_rules.h"

#include "model/release_obj.h"
#include "model/word_list.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {

using TProject = TRef<TWordList>;

TWordObj *Add(TWordList &p, const char *section, const char *name, const char *kind, const char *source,
              const char *translation = "", const char *autoText = "") {
  TWordObj *e = p.AddEntry(section, name, kind, source);
  e->Translation = translation;
  e->AutoText = autoText;
  return e;
}

} // namespace

TEST(SuggestionCountdown, BuildsOnlyWhereTheUserStops) {
  TSuggestionCountdown c;
  EXPECT_FALSE(c.Tick()); // not started
  int builds = 0;
  // Five entries picked one tick apart: each pick restarts the countdown.
  for (int pick = 0; pick < 5; ++pick) {
    c.Start();
    builds += c.Tick();
  }
  EXPECT_EQ(builds, 0);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_FALSE(c.Tick());
  EXPECT_TRUE(c.Tick()); // third tick after the last pick
  EXPECT_FALSE(c.Running());
  EXPECT_EQ(c.Count(), 0);
  EXPECT_FALSE(c.Tick()); // stopped: no second build
  c.Start();
  c.Stop(); // an entry picked and dropped at once builds nothing
  EXPECT_FALSE(c.Tick() || c.Tick() || c.Tick());
}

TEST(SuggestionCells, TextsOfBothColumns) {
  TProject p(new TWordList());
  TWordObj *cur = Add(*p, "TID_A", "b1", "VH", "Open|Opens a file", "Abrir|Abre un archivo");
  TWordObj *autoT = Add(*p, "TID_B", "b2", "VC", "open", "[~]abrir");
  TWordObj *sugg = Add(*p, "TID_C", "b3", "VC", "OPEN", "", "Abrir\\nSugerido");
  TWordObj *none = Add(*p, "TID_D", "b4", "VC", "&Open");
  TRef<TWordObj> clone(cur->Clone());

  EXPECT_EQ(SuggestionCellText(*cur, 0, cur), u"Abrir|Abre un archivo");
  EXPECT_EQ(SuggestionCellText(*autoT, 0, cur), u"abrir");
  EXPECT_EQ(SuggestionCellText(*sugg, 0, cur), u"Abrir|Sugerido"); // line breaks shown as bars
  EXPECT_EQ(SuggestionCellText(*none, 0, cur), u"&Open");
  // The current entry's clone in the list is recognised by its id.
  EXPECT_EQ(SuggestionCellText(*clone, 1, cur), u"Current (TID_A)");
  EXPECT_EQ(SuggestionCellText(*autoT, 1, cur), u"TID_B");
  EXPECT_EQ(SuggestionCellText(*clone, 1, nullptr), u"TID_A");
}

TEST(SuggestionCells, BoldAndColours) {
  TProject p(new TWordList());
  TWordObj *cur = Add(*p, "S", "cur", "VC", "Open", "Abrir");
  TWordObj *other = Add(*p, "S", "o1", "VC", "Open", "[?]Abrir");
  TWordObj *autoT = Add(*p, "S", "o2", "VC", "Open", "[~]Abrir");
  TWordObj *sugg = Add(*p, "S", "o3", "VC", "Open", "", "Abrir");
  TWordObj *none = Add(*p, "S", "o4", "VC", "Open");
  TRef<TWordObj> clone(cur->Clone());

  EXPECT_FALSE(SuggestionCellStyle(*other, 0, nullptr, false).has_value());
  const auto style = [&](TWordObj *s, int col, bool focused) {
    return *SuggestionCellStyle(*s, col, cur, focused);
  };
  EXPECT_EQ(style(other, 1, false).Color, kRgbGrey);
  EXPECT_FALSE(style(clone.get(), 1, true).Bold);
  EXPECT_EQ(style(clone.get(), 0, true).Color, kRgbCurrentFocused);
  EXPECT_EQ(style(clone.get(), 0, false).Color, kRgbCurrentUnfocused);
  EXPECT_TRUE(style(clone.get(), 0, false).Bold);
  EXPECT_FALSE(style(other, 0, true).Bold);
  EXPECT_EQ(style(other, 0, true).Color, kRgbBlack);
  EXPECT_EQ(style(autoT, 0, false).Color, kRgbAutoTranslated);
  EXPECT_EQ(style(sugg, 0, false).Color, kRgbAutoTextOnly);
  EXPECT_EQ(style(none, 0, false).Color, kRgbNoText);
}

TEST(TakeSuggestion, MarkerTranslationMachineTextOrNothing) {
  TProject p(new TWordList());
  TWordObj *marker = Add(*p, "S", "m", "VC", "Open", "<Auto Translate>");
  TWordObj *hint = Add(*p, "S", "h", "VH", "Open|Opens", "[?]Abrir|Abre");
  TWordObj *machine = Add(*p, "S", "a", "VC", "Open", "", "Abrir \\u00e9");
  TWordObj *flagsOnly = Add(*p, "S", "f", "VC", "Open", "[?]", "M\\u00e1quina");
  TWordObj *none = Add(*p, "S", "n", "VC", "Open");

  EXPECT_EQ(TakeSuggestion(*marker).Action, TSuggestionAction::AutoTranslate);
  const TSuggestionPick h = TakeSuggestion(*hint);
  EXPECT_EQ(h.Action, TSuggestionAction::SetText);
  EXPECT_EQ(h.Text, hint->TranslationDisplay()); // the hint pair shows on two lines
  EXPECT_NE(h.Text.find(u'\n'), std::u16string::npos);
  EXPECT_EQ(TakeSuggestion(*machine).Text, machine->DecodeValue(machine->AutoText));
  EXPECT_EQ(TakeSuggestion(*flagsOnly).Text, flagsOnly->DecodeValue(flagsOnly->AutoText));
  EXPECT_EQ(TakeSuggestion(*none).Action, TSuggestionAction::None);
}

TEST(FillSimilarFromEditor, OrdinaryTranslationsLeftAlone) {
  TProject p(new TWordList());
  TWordObj *cur = Add(*p, "S", "cur", "VC", "&Open", "Abrir");
  TWordObj *untranslated = Add(*p, "S", "u", "VC", "open");
  TWordObj *autoQueried = Add(*p, "T", "a", "VC", "Open", "[~?]viejo");
  TWordObj *ordinary = Add(*p, "T", "o", "VC", "OPEN", "[!]Abierto");
  p->UpdateSuggestions(cur, true, true);
  ASSERT_EQ(p->SimilarItems.Count(), 3u);

  EXPECT_EQ(FillSimilarFromEditor(p->SimilarItems, u"Abrir ya"), 2);
  EXPECT_EQ(untranslated->State(), esAutoTranslated);
  EXPECT_EQ(untranslated->TranslationText(), u"Abrir ya");
  EXPECT_EQ(autoQueried->TranslationText(), u"Abrir ya");
  EXPECT_EQ(autoQueried->Flags(), efQuery); // other letters stay, "~" marks the fill
  EXPECT_EQ(autoQueried->State(), esAutoTranslated);
  EXPECT_EQ(ordinary->Translation, "[!]Abierto");
  EXPECT_FALSE(untranslated->Changed || autoQueried->Changed);
  EXPECT_FALSE(p->Modified);

  // An empty editor fills nothing rather than marking entries as translated without text.
  TWordObj *later = Add(*p, "U", "l", "VC", "Open");
  p->UpdateSuggestions(cur, true, false);
  EXPECT_EQ(FillSimilarFromEditor(p->SimilarItems, u""), 0);
  EXPECT_TRUE(later->Translation.empty());
}

TEST(ApplyAutoTranslation, OnlyAutomaticTranslationsChange) {
  TProject p(new TWordList());
  TWordObj *autoT = Add(*p, "S", "a", "VC", "Open", "[?~]Abrir");
  TWordObj *ordinary = Add(*p, "S", "o", "VC", "Open", "[?]Abrir");
  TWordObj *none = Add(*p, "S", "n", "VC", "Open");
  EXPECT_TRUE(ApplyAutoTranslation(autoT));
  EXPECT_EQ(autoT->Translation, "[?]Abrir");
  EXPECT_FALSE(ApplyAutoTranslation(ordinary));
  EXPECT_EQ(ordinary->Translation, "[?]Abrir");
  EXPECT_FALSE(ApplyAutoTranslation(none));
  EXPECT_TRUE(none->Translation.empty());
  EXPECT_FALSE(ApplyAutoTranslation(nullptr));
}
